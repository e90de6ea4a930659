#include "support/TempHome.h"

#include <QDir>

TempHome::TempHome() {
    hadConfig_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    hadData_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    oldData_ = qgetenv("XDG_DATA_HOME");
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
}

TempHome::~TempHome() {
    if (hadConfig_) {
        qputenv("XDG_CONFIG_HOME", oldConfig_);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
    if (hadData_) {
        qputenv("XDG_DATA_HOME", oldData_);
    } else {
        qunsetenv("XDG_DATA_HOME");
    }
}
