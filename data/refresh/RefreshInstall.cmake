# Run by cmake --install: writes the refresh units and the autostart entry
# for the prefix of this install and puts them where they are read.
#   /usr             lib/systemd/user and /etc/xdg/autostart
#   $HOME/.local     ~/.local/share/systemd/user and ~/.config/autostart
#   any other        PREFIX/lib/systemd/user, and no autostart entry (no
#                    session reads PREFIX/etc/xdg/autostart)
set(prefix "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "(.)/+$" "\\1" prefix "${prefix}")
set(program "${prefix}/${TESSARYN_BINDIR}/tessaryn")
if(program MATCHES "[\n\r\t]")
  message(FATAL_ERROR "The install path ${program} holds a line break or a tab, which a systemd unit and a desktop entry cannot name.")
endif()

# systemd's ExecStart: in double quotes when it holds more than plain
# characters, % doubled. systemd takes no quote or backslash in the program's
# own name: such a path goes to /usr/bin/env as an argument, with \ and "
# escaped and $ doubled.
set(exec "${program}")
string(REPLACE "%" "%%" exec "${exec}")
if(program MATCHES "['\"\\]")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "$" "$$" exec "${exec}")
  set(exec "/usr/bin/env \"${exec}\"")
elseif(program MATCHES "[^A-Za-z0-9/._+-]")
  set(exec "\"${exec}\"")
endif()

# A desktop entry's Exec: an argument with reserved characters is quoted,
# with " ` $ \ escaped; then the value is escaped as a string (\ doubled)
# and % doubled for the field codes. TryExec is a plain string.
set(arg "${program}")
if(arg MATCHES "[ \"'\\\\><~|&;$*?#()`]")
  string(REPLACE "\\" "\\\\" arg "${arg}")
  string(REPLACE "\"" "\\\"" arg "${arg}")
  string(REPLACE "`" "\\`" arg "${arg}")
  string(REPLACE "$" "\\$" arg "${arg}")
  set(arg "\"${arg}\"")
endif()
string(REPLACE "\\" "\\\\" arg "${arg}")
string(REPLACE "%" "%%" arg "${arg}")
string(REPLACE "\\" "\\\\" tryexec "${program}")

set(TESSARYN_EXEC_START "${exec}")
set(TESSARYN_EXEC "${arg}")
set(TESSARYN_TRY_EXEC "${tryexec}")
set(autostart "")
if(prefix STREQUAL "/usr")
  set(units "/usr/lib/systemd/user")
  set(autostart "/etc/xdg/autostart")
elseif(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "" AND prefix STREQUAL "$ENV{HOME}/.local")
  set(units "${prefix}/share/systemd/user")
  set(config "$ENV{XDG_CONFIG_HOME}")
  if(NOT config MATCHES "^/")
    set(config "$ENV{HOME}/.config")
  endif()
  set(autostart "${config}/autostart")
else()
  set(units "${prefix}/lib/systemd/user")
  message(STATUS "No autostart entry for the prefix ${prefix}: sessions read only "
                 "/etc/xdg/autostart and ~/.config/autostart. The timer's units are in "
                 "${units}; link them into ~/.config/systemd/user, or run "
                 "\"tessaryn refresh --enable-timer\".")
endif()
# Written straight to their places: an ordinary user's install writes
# nothing into the build tree but the manifest.
function(tessaryn_install_configured source dir name)
  set(target "$ENV{DESTDIR}${dir}/${name}")
  message(STATUS "Installing: ${target}")
  configure_file("${source}" "${target}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()
tessaryn_install_configured("${TESSARYN_REFRESH_SOURCE}/tessaryn-refresh.service.in" "${units}"
                            tessaryn-refresh.service)
file(INSTALL "${TESSARYN_REFRESH_SOURCE}/tessaryn-refresh.timer" DESTINATION "${units}")
if(autostart)
  tessaryn_install_configured("${TESSARYN_REFRESH_SOURCE}/tessaryn-refresh.desktop.in"
                              "${autostart}" tessaryn-refresh.desktop)
endif()
