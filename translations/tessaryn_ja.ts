<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Tessaryn</name>
    <message>
        <source>Drag Calendar</source>
        <translation>カレンダー配置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Font Setting</source>
        <translation>フォントの設定</translation>
    </message>
    <message>
        <source>Change Font</source>
        <translation>フォントの変更</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>年月</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>日曜日</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>土曜日</translation>
    </message>
    <message>
        <source>Weekday</source>
        <translation>平日</translation>
    </message>
    <message>
        <source>FontName : </source>
        <translation>フォント名 : </translation>
    </message>
    <message>
        <source>The window is too small to show the calendar, so there is nothing to place.
Make the window larger and press "Drag Calendar" again.</source>
        <translation>ウィンドウが小さすぎてカレンダーを表示できないため、配置するものがありません。
ウィンドウを大きくしてから、もう一度「カレンダー配置」を押して下さい。</translation>
    </message>
    <message>
        <source>Tessaryn Info.</source>
        <translation>Tessaryn 情報</translation>
    </message>
    <message>
        <source>the calendar could not be drawn: not enough memory for the picture</source>
        <translation>カレンダーを描画できませんでした: 画像のためのメモリが足りません</translation>
    </message>
    <message>
        <source>the wallpaper the placement started from is not known</source>
        <translation>配置を始めたときの壁紙が分かりません</translation>
    </message>
    <message>
        <source>the original wallpaper could not be kept: %1</source>
        <translation>元の壁紙を保存できませんでした: %1</translation>
    </message>
    <message>
        <source>the original wallpaper changed while it was kept</source>
        <translation>元の壁紙が保存中に変更されました</translation>
    </message>
    <message>
        <source>Only %1 x %2 pixels of the wallpaper are on the screen; the calendar needs %3 x %4.</source>
        <translation>画面に表示されている壁紙は %1 x %2 ピクセルだけですが、カレンダーには %3 x %4 ピクセル必要です。</translation>
    </message>
    <message>
        <source>
The rest of the wallpaper lies beyond the screen's edge.
Make the window smaller for a smaller calendar.</source>
        <translation>
壁紙の残りの部分は画面の外にあります。
ウィンドウを小さくして、カレンダーを小さくして下さい。</translation>
    </message>
    <message>
        <source>
At its origin (%1, %2) the rest of the wallpaper lies beyond the screen's edge.
Choose an origin that brings more of it onto the screen, or make the window smaller for a smaller calendar.</source>
        <translation>
原点 (%1, %2) では、壁紙の残りの部分が画面の外にあります。
壁紙がより多く画面に入る原点を選ぶか、ウィンドウを小さくしてカレンダーを小さくして下さい。</translation>
    </message>
    <message>
        <source>The wallpaper %1 cannot be used: %2.</source>
        <translation>壁紙 %1 は使用できません: %2。</translation>
    </message>
    <message>
        <source>at its origin (%1, %2) no part of it is on the screen</source>
        <translation>原点 (%1, %2) では壁紙が画面に全く表示されません</translation>
    </message>
    <message>
        <source>壁紙のサイズがカレンダーより小さいようです。<byte value="xd"/>
再設定して下さい。</source>
        <translation>壁紙のサイズがカレンダーより小さいようです。<byte value="xd"/>
再設定して下さい。</translation>
    </message>
    <message>
        <source>右クリックで再設定/ダブルクリックで完了</source>
        <translation>右クリックで再設定/ダブルクリックで完了</translation>
    </message>
    <message>
        <source>右クリックでキャンセル/ダブルクリックでプレビュー</source>
        <translation>右クリックでキャンセル/ダブルクリックでプレビュー</translation>
    </message>
    <message>
        <source>The new wallpaper could not be saved; nothing was changed.
%1</source>
        <translation>新しい壁紙を保存できませんでした。何も変更していません。
%1</translation>
    </message>
    <message>
        <source>The wallpaper %1 changed meanwhile; the placement ends.</source>
        <translation>壁紙 %1 がその間に変更されたため、配置を終了します。</translation>
    </message>
    <message>
        <source>%1 was saved, but the desktop could not show it.
%2</source>
        <translation>%1 を保存しましたが、デスクトップに表示できませんでした。
%2</translation>
    </message>
    <message>
        <source>%1 was saved, but %2</source>
        <translation>%1 を保存しましたが、%2</translation>
    </message>
    <message>
        <source>Puts a month calendar onto the desktop wallpaper.

tessaryn                 opens the window (needs a display)
tessaryn refresh         renews the calendar picture for this month from the kept original
                         and every recorded calendar, and hands it to the desktop again
    --date YYYY-MM-DD    renew for the month of this day instead of today
    --resume             renew again after tessaryn restore
    --enable-timer       run tessaryn refresh on the first of each month (systemd user timer)
    --disable-timer      stop doing so
    --disable-autostart  do not run tessaryn refresh at login (an override in
                         ~/.config/autostart)
    --enable-autostart   run it at login again
tessaryn restore         puts the original wallpaper back; refresh then leaves it alone
    --force              also where the desktop shows a picture tessaryn did not make
tessaryn list            shows the recorded calendars with their numbers
tessaryn forget N        forgets calendar N; the next refresh draws without it
tessaryn compose         draws one calendar onto a picture, without any desktop
    --base PICTURE       the picture to draw on
    --year Y --month M   the month to show
    --at X,Y             the calendar's top-left corner, in the picture's pixels
                         (-1000000 to 1000000)
    --font FACE          the face (default "ＭＳ Ｐゴシック")
    --size PT            the size in points, 1 to 2000 (default 13, the preview's at its
                         design size)
    --style STYLE        regular (the default), or any of bold,italic,underline,strikeout
    --color KIND=0xBBGGRR  the colour of month, sunday, saturday or weekday (repeatable;
                         defaults white, red, blue, yellow)
    --out FILE           the file to write; its extension picks the format (BMP by default)

--help shows this text, --version the version.
Exit status: 0 done (or nothing to do), 1 failed, 2 bad arguments.
</source>
        <translation>デスクトップの壁紙に月のカレンダーを載せます。

tessaryn                 ウィンドウを開きます (ディスプレイが必要です)
tessaryn refresh         保存した元の壁紙と記録したすべてのカレンダーから今月の
                         カレンダー画像を作り直し、もう一度デスクトップに設定します
    --date YYYY-MM-DD    今日ではなく、この日の月で作り直します
    --resume             tessaryn restore の後で再び作り直すようにします
    --enable-timer       毎月 1 日に tessaryn refresh を実行します (systemd のユーザータイマー)
    --disable-timer      その実行を止めます
    --disable-autostart  ログイン時に tessaryn refresh を実行しません
                         (~/.config/autostart に上書きの項目を置きます)
    --enable-autostart   ログイン時の実行を元に戻します
tessaryn restore         元の壁紙に戻します。以後 refresh は何も変更しません
    --force              tessaryn が作成していない画像を表示している所も戻します
tessaryn list            記録したカレンダーを番号付きで表示します
tessaryn forget N        カレンダー N の記録を削除します。次の refresh はそれを除いて描画します
tessaryn compose         デスクトップを使わずに、画像に一つのカレンダーを描きます
    --base PICTURE       描画先の画像
    --year Y --month M   表示する年と月
    --at X,Y             カレンダーの左上の角 (画像のピクセル単位、
                         -1000000 から 1000000)
    --font FACE          フォント名 (既定は "ＭＳ Ｐゴシック")
    --size PT            ポイント単位の大きさ、1 から 2000 (既定は 13、設計時の大きさの
                         プレビューと同じ)
    --style STYLE        regular (既定)、または bold,italic,underline,strikeout の組み合わせ
    --color KIND=0xBBGGRR  month, sunday, saturday, weekday の色 (繰り返し指定可。
                         既定は白、赤、青、黄)
    --out FILE           書き込むファイル。拡張子で形式が決まります (既定は BMP)

--help でこの説明を、--version でバージョンを表示します。
終了ステータス: 0 完了 (または何もすることがない)、1 失敗、2 引数の誤り。
</translation>
    </message>
    <message>
        <source>refresh takes no argument "%1"</source>
        <translation>refresh は引数 "%1" を取りません</translation>
    </message>
    <message>
        <source>--enable-timer and --disable-timer exclude each other</source>
        <translation>--enable-timer と --disable-timer は同時に指定できません</translation>
    </message>
    <message>
        <source>--enable-autostart and --disable-autostart exclude each other</source>
        <translation>--enable-autostart と --disable-autostart は同時に指定できません</translation>
    </message>
    <message>
        <source>--date wants a day as YYYY-MM-DD, not "%1"</source>
        <translation>--date には YYYY-MM-DD 形式の日付を指定して下さい ("%1" は使えません)</translation>
    </message>
    <message>
        <source>compose takes no argument "%1"</source>
        <translation>compose は引数 "%1" を取りません</translation>
    </message>
    <message>
        <source>compose needs --%1</source>
        <translation>compose には --%1 が必要です</translation>
    </message>
    <message>
        <source>--year wants a year from 100 to 9998, not "%1"</source>
        <translation>--year には 100 から 9998 までの年を指定して下さい ("%1" は使えません)</translation>
    </message>
    <message>
        <source>--month wants 1 to 12, not "%1"</source>
        <translation>--month には 1 から 12 までを指定して下さい ("%1" は使えません)</translation>
    </message>
    <message>
        <source>--at wants X,Y in pixels from -1000000 to 1000000, not "%1"</source>
        <translation>--at には -1000000 から 1000000 までのピクセル数で X,Y を指定して下さい ("%1" は使えません)</translation>
    </message>
    <message>
        <source>--font wants a face name</source>
        <translation>--font にはフォント名を指定して下さい</translation>
    </message>
    <message>
        <source>--size wants points from 1 to 2000, not "%1"</source>
        <translation>--size には 1 から 2000 までのポイント数を指定して下さい ("%1" は使えません)</translation>
    </message>
    <message>
        <source>--style knows regular, bold, italic, underline, strikeout, not "%1"</source>
        <translation>--style に指定できるのは regular, bold, italic, underline, strikeout です ("%1" は使えません)</translation>
    </message>
    <message>
        <source>--color wants month, sunday, saturday or weekday =0xBBGGRR, not "%1"</source>
        <translation>--color には month, sunday, saturday, weekday のいずれかと =0xBBGGRR を指定して下さい ("%1" は使えません)</translation>
    </message>
    <message>
        <source>forget wants the number of one calendar (see tessaryn list)</source>
        <translation>forget にはカレンダーの番号を一つ指定して下さい (tessaryn list で確認できます)</translation>
    </message>
    <message>
        <source>%1 takes no argument "%2"</source>
        <translation>%1 は引数 "%2" を取りません</translation>
    </message>
    <message>
        <source>the argument "%1" is not valid UTF-8; names must be UTF-8</source>
        <translation>引数 "%1" は正しい UTF-8 ではありません。名前は UTF-8 で指定して下さい</translation>
    </message>
    <message>
        <source>unknown command "%1"</source>
        <translation>不明なコマンド "%1"</translation>
    </message>
    <message>
        <source>no display: set DISPLAY or WAYLAND_DISPLAY, or use tessaryn refresh / compose</source>
        <translation>ディスプレイがありません: DISPLAY か WAYLAND_DISPLAY を設定するか、tessaryn refresh / compose を使って下さい</translation>
    </message>
    <message>
        <source>no picture format is known for the extension ".%1"</source>
        <translation>拡張子 ".%1" に対応する画像形式がありません</translation>
    </message>
    <message>
        <source>the picture %1 cannot be used: %2</source>
        <translation>画像 %1 は使用できません: %2</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 を書き込みませんでした: %2</translation>
    </message>
    <message>
        <source>Wrote %1.</source>
        <translation>%1 を書き込みました。</translation>
    </message>
    <message>
        <source>%1; it was left as it is</source>
        <translation>%1。そのままにしてあります</translation>
    </message>
    <message>
        <source>the recorded desktop "%1" is not known</source>
        <translation>記録されたデスクトップ "%1" は不明です</translation>
    </message>
    <message>
        <source>cannot reach the desktop (%1): %2</source>
        <translation>デスクトップ (%1) に接続できません: %2</translation>
    </message>
    <message>
        <source>The desktop: %1.</source>
        <translation>デスクトップ: %1。</translation>
    </message>
    <message>
        <source>Nothing to renew: no calendar has been placed on a wallpaper yet.</source>
        <translation>更新するものはありません: まだ壁紙にカレンダーが配置されていません。</translation>
    </message>
    <message>
        <source>Another tessaryn refresh is running; this one leaves it alone.</source>
        <translation>別の tessaryn refresh が実行中のため、こちらは何もしません。</translation>
    </message>
    <message>
        <source>The original wallpaper was restored; nothing was renewed (tessaryn refresh --resume renews it again).</source>
        <translation>元の壁紙に戻してあるため、何も更新していません (tessaryn refresh --resume で再び更新します)。</translation>
    </message>
    <message>
        <source>The calendar picture is already current for %1; nothing was changed.</source>
        <translation>カレンダーの画像は既に %1 のものです。何も変更していません。</translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation>%1。何も変更していません</translation>
    </message>
    <message>
        <source>The desktop shows %1 now, not the calendar picture; nothing was changed.</source>
        <translation>デスクトップにはカレンダーの画像ではなく %1 が表示されています。何も変更していません。</translation>
    </message>
    <message>
        <source>no picture</source>
        <translation>画像なし</translation>
    </message>
    <message>
        <source>cannot write %1: %2; nothing was changed</source>
        <translation>%1 を書き込めません: %2。何も変更していません</translation>
    </message>
    <message>
        <source>%1 was renewed, but the desktop (%2) did not take it: %3</source>
        <translation>%1 を更新しましたが、デスクトップ (%2) に設定できませんでした: %3</translation>
    </message>
    <message>
        <source>Renewed %1 for %2 with %3 calendar(s) (desktop: %4).</source>
        <translation>%1 を %2 用に %3 個のカレンダーで更新しました (デスクトップ: %4)。</translation>
    </message>
    <message>
        <source>  calendar %1 shows %2 (%3)</source>
        <translation>  カレンダー %1 は %2 を表示 (%3)</translation>
    </message>
    <message>
        <source>nothing to restore: no wallpaper was composed yet</source>
        <translation>元に戻すものはありません: まだ壁紙を作成していません</translation>
    </message>
    <message>
        <source>the original %1 is gone and %2; nothing was changed</source>
        <translation>元の %1 が無く、%2。何も変更していません</translation>
    </message>
    <message>
        <source>the desktop (%1) did not take back what it showed: %2</source>
        <translation>デスクトップ (%1) を元の表示に戻せませんでした: %2</translation>
    </message>
    <message>
        <source>the desktop (%1) did not take %2: %3</source>
        <translation>デスクトップ (%1) に %2 を設定できませんでした: %3</translation>
    </message>
    <message>
        <source>Left alone, as it shows a picture tessaryn did not make: %1 (tessaryn restore --force restores it too).</source>
        <translation>tessaryn が作成していない画像を表示しているため、そのままにしました: %1 (tessaryn restore --force で元に戻せます)。</translation>
    </message>
    <message>
        <source>Nothing was restored.</source>
        <translation>何も元に戻していません。</translation>
    </message>
    <message>
        <source>Restored %1 as the wallpaper (desktop: %2). tessaryn refresh leaves it alone until the next placement or tessaryn refresh --resume.</source>
        <translation>%1 を壁紙に戻しました (デスクトップ: %2)。次の配置か tessaryn refresh --resume までは、tessaryn refresh は何も変更しません。</translation>
    </message>
    <message>
        <source>no calendar has been placed on a wallpaper yet</source>
        <translation>まだ壁紙にカレンダーが配置されていません</translation>
    </message>
    <message>
        <source>Forgot the damaged calendar(s) %1; the others are numbered afresh (tessaryn list).</source>
        <translation>壊れたカレンダー %1 の記録を削除しました。残りのカレンダーには新しい番号が付きます (tessaryn list)。</translation>
    </message>
    <message>
        <source>there is no calendar %1 (tessaryn list shows %2)</source>
        <translation>カレンダー %1 はありません (tessaryn list には %2 個あります)</translation>
    </message>
    <message>
        <source>calendar %1 cannot be read; forget it first (tessaryn forget %1)</source>
        <translation>カレンダー %1 を読めません。先にその記録を削除して下さい (tessaryn forget %1)</translation>
    </message>
    <message>
        <source>Forgot calendar %1 (placed in %2 at %3,%4); the next tessaryn refresh draws the picture without it.</source>
        <translation>カレンダー %1 (%2 に %3,%4 へ配置) の記録を削除しました。次の tessaryn refresh では、このカレンダーを除いて描画します。</translation>
    </message>
    <message>
        <source>systemctl cannot be run: %1</source>
        <translation>systemctl を実行できません: %1</translation>
    </message>
    <message>
        <source>systemctl --user %1 did not finish</source>
        <translation>systemctl --user %1 が終了しませんでした</translation>
    </message>
    <message>
        <source>systemctl --user %1 failed: %2</source>
        <translation>systemctl --user %1 が失敗しました: %2</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>理由は示されていません</translation>
    </message>
    <message>
        <source>the unit files are missing from this build</source>
        <translation>このビルドにはユニットファイルがありません</translation>
    </message>
    <message>
        <source>the program's path %1 holds a line break or another control character, which a systemd unit cannot name; nothing was written</source>
        <translation>プログラムのパス %1 には改行などの制御文字が含まれており、systemd のユニットに書けません。何も書き込んでいません</translation>
    </message>
    <message>
        <source>cannot write the unit files into %1: %2</source>
        <translation>%1 にユニットファイルを書き込めません: %2</translation>
    </message>
    <message>
        <source>%1; the timer was not enabled</source>
        <translation>%1。タイマーは有効にしていません</translation>
    </message>
    <message>
        <source>Enabled %1: tessaryn refresh runs on the first of each month (units in %2).</source>
        <translation>%1 を有効にしました: 毎月 1 日に tessaryn refresh を実行します (ユニットは %2 にあります)。</translation>
    </message>
    <message>
        <source>Disabled %1.</source>
        <translation>%1 を無効にしました。</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 を書き込めません</translation>
    </message>
    <message>
        <source>The login no longer runs tessaryn refresh (%1 hides the autostart entry).</source>
        <translation>ログイン時に tessaryn refresh を実行しなくなりました (%1 が自動起動の項目を隠しています)。</translation>
    </message>
    <message>
        <source>%1 is not the one tessaryn refresh --disable-autostart wrote; it was left alone</source>
        <translation>%1 は tessaryn refresh --disable-autostart が書いたものではないため、そのままにしました</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>%1 を削除できません: %2</translation>
    </message>
    <message>
        <source>The login runs tessaryn refresh again (the installed autostart entry).</source>
        <translation>ログイン時に再び tessaryn refresh を実行します (インストールされた自動起動の項目)。</translation>
    </message>
    <message>
        <source>no X display (DISPLAY is not set)</source>
        <translation>X ディスプレイがありません (DISPLAY が設定されていません)</translation>
    </message>
    <message>
        <source>no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set)</source>
        <translation>D-Bus のセッションバスがありません (DBUS_SESSION_BUS_ADDRESS が設定されていません)</translation>
    </message>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <translation>ディスプレイがありません (DISPLAY も WAYLAND_DISPLAY も設定されていません)</translation>
    </message>
    <message>
        <source>no sway session (SWAYSOCK is not set)</source>
        <translation>sway のセッションがありません (SWAYSOCK が設定されていません)</translation>
    </message>
    <message>
        <source>no Hyprland session (HYPRLAND_INSTANCE_SIGNATURE is not set)</source>
        <translation>Hyprland のセッションがありません (HYPRLAND_INSTANCE_SIGNATURE が設定されていません)</translation>
    </message>
    <message>
        <source>no desktop was found to show it, so the screen stays as it was.
Name your desktop in the environment variable TESSARYN_DESKTOP (%1 or %2), or install feh to draw the wallpaper on a plain X session, and start Tessaryn again.</source>
        <translation>表示するデスクトップが見つからないため、画面はそのままです。
環境変数 TESSARYN_DESKTOP にデスクトップ名 (%1 または %2) を設定するか、X のみのセッションで壁紙を描くために feh をインストールしてから、Tessaryn をもう一度起動して下さい。</translation>
    </message>
    <message>
        <source>no picture was given</source>
        <translation>画像が指定されていません</translation>
    </message>
    <message>
        <source>the picture "%1" does not exist</source>
        <translation>画像 "%1" がありません</translation>
    </message>
    <message>
        <source>the picture "%1" cannot be read</source>
        <translation>画像 "%1" を読めません</translation>
    </message>
    <message>
        <source>the name "%1" is not valid UTF-8</source>
        <translation>名前 "%1" は正しい UTF-8 ではありません</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>ファイルではなくフォルダーです</translation>
    </message>
    <message>
        <source>it is a FIFO, not a regular file</source>
        <translation>通常のファイルではなく FIFO です</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>通常のファイルではなくソケットです</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>通常のファイルではなくデバイスです</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>it names no file</source>
        <translation>ファイル名がありません</translation>
    </message>
    <message>
        <source>its symbolic link cannot be read</source>
        <translation>シンボリックリンクを読めません</translation>
    </message>
    <message>
        <source>its symbolic link points to a name that is not valid UTF-8</source>
        <translation>シンボリックリンクの指す名前が正しい UTF-8 ではありません</translation>
    </message>
    <message>
        <source>its symbolic links go round in a loop</source>
        <translation>シンボリックリンクが循環しています</translation>
    </message>
    <message>
        <source>%1 is no background description</source>
        <translation>%1 は背景の記述ファイルではありません</translation>
    </message>
    <message>
        <source>the background description %1 cannot be read (line %2: %3)</source>
        <translation>背景の記述ファイル %1 を読めません (%2 行目: %3)</translation>
    </message>
    <message>
        <source>the background description %1 names no picture</source>
        <translation>背景の記述ファイル %1 には画像の指定がありません</translation>
    </message>
    <message>
        <source>the background description %1 names no picture for now</source>
        <translation>背景の記述ファイル %1 には現在の時刻の画像の指定がありません</translation>
    </message>
    <message>
        <source>the bitmap file ends inside its header</source>
        <translation>ビットマップファイルがヘッダーの途中で終わっています</translation>
    </message>
    <message>
        <source>the bitmap header has an unknown size (%1 bytes)</source>
        <translation>ビットマップのヘッダーの大きさ (%1 バイト) が不明です</translation>
    </message>
    <message>
        <source>the bitmap has an impossible size (%1 x %2 pixels)</source>
        <translation>ビットマップの大きさ (%1 x %2 ピクセル) が正しくありません</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2 pixels)</source>
        <translation>画像が大きすぎます (%1 x %2 ピクセル)</translation>
    </message>
    <message>
        <source>the bitmap file ends inside its colour masks</source>
        <translation>ビットマップファイルがカラーマスクの途中で終わっています</translation>
    </message>
    <message>
        <source>a compressed bitmap cannot be stored top-down</source>
        <translation>圧縮されたビットマップは上から下への順に格納できません</translation>
    </message>
    <message>
        <source>the bitmap's pixel data would start inside its header</source>
        <translation>ビットマップのピクセルデータの開始位置がヘッダーの中にあります</translation>
    </message>
    <message>
        <source>the bitmap file is cut short: it holds %1 of %2 bytes of pixels</source>
        <translation>ビットマップファイルが途中で切れています: ピクセルの %2 バイトのうち %1 バイトしかありません</translation>
    </message>
    <message>
        <source>the bitmap file is cut short</source>
        <translation>ビットマップファイルが途中で切れています</translation>
    </message>
    <message>
        <source>there is not enough memory for a picture of %1 x %2 pixels</source>
        <translation>%1 x %2 ピクセルの画像のためのメモリが足りません</translation>
    </message>
    <message>
        <source>it is a %1 picture, and Qt has no %1 reader here (on Debian 13 and later: kimageformat6-plugins)</source>
        <translation>%1 形式の画像ですが、Qt にこの形式の読み込み機能がありません (Debian 13 以降では kimageformat6-plugins)</translation>
    </message>
    <message>
        <source>it is not a picture in a known format</source>
        <translation>既知の形式の画像ではありません</translation>
    </message>
    <message>
        <source>there is not enough memory for the picture</source>
        <translation>画像のためのメモリが足りません</translation>
    </message>
    <message>
        <source>the background description %1 is larger than %2 MiB</source>
        <translation>背景の記述ファイル %1 は %2 MiB より大きいです</translation>
    </message>
    <message>
        <source>the picture %1 that %2 shows cannot be read: %3</source>
        <translation>%2 が表示する画像 %1 を読めません: %3</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>ファイル名が指定されていません</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>ファイルが空です</translation>
    </message>
    <message>
        <source>the file is cut short</source>
        <translation>ファイルが途中で切れています</translation>
    </message>
    <message>
        <source>it is a background description itself</source>
        <translation>それ自体が背景の記述ファイルです</translation>
    </message>
    <message>
        <source>there is no picture to save</source>
        <translation>保存する画像がありません</translation>
    </message>
    <message>
        <source>there is not enough memory to convert the picture</source>
        <translation>画像を変換するためのメモリが足りません</translation>
    </message>
    <message>
        <source>no file can be created in %1: %2</source>
        <translation>%1 にファイルを作成できません: %2</translation>
    </message>
    <message>
        <source>it draws %1, and %2</source>
        <translation>%1 を描画しますが、%2</translation>
    </message>
    <message>
        <source>it draws drawings nested more than %1 deep</source>
        <translation>%1 段より深く入れ子になった図を描画します</translation>
    </message>
    <message>
        <source>the registry hive %1 cannot be used: %2</source>
        <translation>レジストリハイブ %1 を使用できません: %2</translation>
    </message>
    <message>
        <source>the composition record (HKCU\%1) is damaged: %2</source>
        <translation>合成の記録 (HKCU\%1) が壊れています: %2</translation>
    </message>
    <message>
        <source>no value "%1"</source>
        <translation>値 "%1" がありません</translation>
    </message>
    <message>
        <source>the kept copy's hash, size or time is missing</source>
        <translation>保存したコピーのハッシュ、サイズ、または時刻がありません</translation>
    </message>
    <message>
        <source>the calendars are not numbered 1, 2, 3, ...</source>
        <translation>カレンダーの番号が 1, 2, 3, ... の順になっていません</translation>
    </message>
    <message>
        <source>the kept copy of the original wallpaper, %1, is missing and the original %2 is not the picture it kept; place the calendar again with "Drag Calendar"</source>
        <translation>元の壁紙の保存したコピー %1 が見つからず、元の %2 も保存した画像ではありません。「カレンダー配置」でカレンダーを配置し直して下さい</translation>
    </message>
    <message>
        <source>the kept copy of the original wallpaper, %1, was changed since it was recorded; place the calendar again with "Drag Calendar"</source>
        <translation>元の壁紙の保存したコピー %1 が記録後に変更されています。「カレンダー配置」でカレンダーを配置し直して下さい</translation>
    </message>
    <message>
        <source>the kept copy %1 cannot be read: %2</source>
        <translation>保存したコピー %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>the wallpaper was our own picture without a record of its original; it cannot be renewed</source>
        <translation>壁紙は Tessaryn が作成した画像ですが、元の壁紙の記録がありません。更新できません</translation>
    </message>
    <message>
        <source>the kept copy %1 could not be made again: %2</source>
        <translation>保存したコピー %1 を作り直せませんでした: %2</translation>
    </message>
    <message>
        <source>the original changed</source>
        <translation>元の壁紙が変更されました</translation>
    </message>
    <message>
        <source>the kept original %1 cannot be loaded: %2</source>
        <translation>保存した元の壁紙 %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>cannot open the lock file %1: %2</source>
        <translation>ロックファイル %1 を開けません: %2</translation>
    </message>
    <message>
        <source>cannot lock %1: %2</source>
        <translation>%1 をロックできません: %2</translation>
    </message>
    <message>
        <source>another tessaryn is changing the wallpaper now</source>
        <translation>別の tessaryn が壁紙を変更中です</translation>
    </message>
    <message>
        <source>this desktop keeps no places</source>
        <translation>このデスクトップには壁紙の表示場所の記録がありません</translation>
    </message>
    <message>
        <source>feh did not record the new wallpaper in ~/.fehbg</source>
        <translation>feh が新しい壁紙を ~/.fehbg に記録しませんでした</translation>
    </message>
    <message>
        <source>gsettings gave no text for %1 %2</source>
        <translation>gsettings が %1 %2 の値を返しませんでした</translation>
    </message>
    <message>
        <source>the settings schema %1 is not installed</source>
        <translation>設定スキーマ %1 がインストールされていません</translation>
    </message>
    <message>
        <source>the desktop did not keep the new setting (%1 %2 is still %3)</source>
        <translation>デスクトップが新しい設定を保持しませんでした (%1 %2 は %3 のままです)</translation>
    </message>
    <message>
        <source>the saved places name an unknown key %1</source>
        <translation>保存した表示場所に不明なキー %1 があります</translation>
    </message>
    <message>
        <source>the desktop did not keep %1 %2</source>
        <translation>デスクトップが %1 %2 を保持しませんでした</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>応答がありません</translation>
    </message>
    <message>
        <source>hyprpaper cannot be given a path with a comma ("%1")</source>
        <translation>hyprpaper にはカンマを含むパスを渡せません ("%1")</translation>
    </message>
    <message>
        <source>hyprpaper did not take the new wallpaper (it shows "%1")</source>
        <translation>hyprpaper が新しい壁紙を受け付けませんでした ("%1" を表示しています)</translation>
    </message>
    <message>
        <source>hyprpaper %1 (%2)</source>
        <translation>hyprpaper %1 (%2)</translation>
    </message>
    <message>
        <source>hyprpaper does not tell</source>
        <translation>hyprpaper から取得できません</translation>
    </message>
    <message>
        <source>plasmashell cannot be asked: </source>
        <translation>plasmashell に問い合わせできません: </translation>
    </message>
    <message>
        <source>plasmashell gave an answer that is not understood: </source>
        <translation>plasmashell の応答を解釈できません: </translation>
    </message>
    <message>
        <source>plasmashell has no desktop</source>
        <translation>plasmashell にデスクトップがありません</translation>
    </message>
    <message>
        <source>plasmashell refused the new wallpaper: </source>
        <translation>plasmashell が新しい壁紙を拒否しました: </translation>
    </message>
    <message>
        <source>the desktop did not keep the new wallpaper (it shows "%1")</source>
        <translation>デスクトップが新しい壁紙を保持しませんでした ("%1" を表示しています)</translation>
    </message>
    <message>
        <source>the desktop has no wallpaper: its plugin %1 is not installed</source>
        <translation>デスクトップに壁紙がありません: プラグイン %1 がインストールされていません</translation>
    </message>
    <message>
        <source>tiling is not available: Plasma tiles with the wallpaper plugin org.kde.tiled (package kdeplasma-addons), which is not installed</source>
        <translation>並べて表示は使用できません: Plasma の並べて表示には壁紙プラグイン org.kde.tiled (パッケージ kdeplasma-addons) が必要ですが、インストールされていません</translation>
    </message>
    <message>
        <source>Plasma desktop %1 (%2)</source>
        <translation>Plasma デスクトップ %1 (%2)</translation>
    </message>
    <message>
        <source>plasmashell refused: </source>
        <translation>plasmashell が拒否しました: </translation>
    </message>
    <message>
        <source>Plasma desktop %1 did not take back what it showed</source>
        <translation>Plasma デスクトップ %1 が元の表示に戻りませんでした</translation>
    </message>
    <message>
        <source>pcmanfm draws a tiled picture only once, and the screen's monitors or the picture could not be read to tile it for pcmanfm</source>
        <translation>pcmanfm は並べて表示の画像を 1 枚しか描画しません。pcmanfm 用に並べるための画面のモニター情報または画像を読み込めませんでした</translation>
    </message>
    <message>
        <source>pcmanfm did not take the new wallpaper</source>
        <translation>pcmanfm が新しい壁紙を受け付けませんでした</translation>
    </message>
    <message>
        <source>pcmanfm-qt did not take the new wallpaper</source>
        <translation>pcmanfm-qt が新しい壁紙を受け付けませんでした</translation>
    </message>
    <message>
        <source>nitrogen did not save the new wallpaper in %1</source>
        <translation>nitrogen が新しい壁紙を %1 に保存しませんでした</translation>
    </message>
    <message>
        <source>the picture cannot be loaded</source>
        <translation>画像を読み込めません</translation>
    </message>
    <message>
        <source>the D-Bus session bus cannot be reached</source>
        <translation>D-Bus セッションバスに接続できません</translation>
    </message>
    <message>
        <source>no answer over D-Bus</source>
        <translation>D-Bus で応答がありません</translation>
    </message>
    <message>
        <source>sway refused the command</source>
        <translation>sway がコマンドを拒否しました</translation>
    </message>
    <message>
        <source>sway did not start swaybg with the new wallpaper</source>
        <translation>sway が新しい壁紙で swaybg を起動しませんでした</translation>
    </message>
    <message>
        <source>sway output %1 (%2)</source>
        <translation>sway の出力 %1 (%2)</translation>
    </message>
    <message>
        <source>%1 is not installed (not found on PATH)</source>
        <translation>%1 がインストールされていません (PATH に見つかりません)</translation>
    </message>
    <message>
        <source>%1 could not be started: %2</source>
        <translation>%1 を起動できませんでした: %2</translation>
    </message>
    <message>
        <source>%1 did not answer within %2 s</source>
        <translation>%1 が %2 秒以内に応答しませんでした</translation>
    </message>
    <message>
        <source>%1 crashed</source>
        <translation>%1 が異常終了しました</translation>
    </message>
    <message>
        <source>%1 failed with exit status %2</source>
        <translation>%1 が終了ステータス %2 で失敗しました</translation>
    </message>
    <message>
        <source>the picture "%1" has a line break in its name, which %2 would read as two lines; rename the file</source>
        <translation>画像 "%1" の名前に改行が含まれており、%2 が 2 行として読んでしまいます。ファイル名を変更して下さい</translation>
    </message>
    <message>
        <source>cannot make the folder "%1"</source>
        <translation>フォルダー "%1" を作成できません</translation>
    </message>
    <message>
        <source>cannot write "%1": %2</source>
        <translation>"%1" に書き込めません: %2</translation>
    </message>
    <message>
        <source>the tiled picture could not be encoded</source>
        <translation>並べた画像を符号化できませんでした</translation>
    </message>
    <message>
        <source>xrandr lists no active monitor</source>
        <translation>xrandr が有効なモニターを返しません</translation>
    </message>
    <message>
        <source>xfconfd cannot be asked: </source>
        <translation>xfconfd に問い合わせできません: </translation>
    </message>
    <message>
        <source>xfconfd gave no answer</source>
        <translation>xfconfd が応答しませんでした</translation>
    </message>
    <message>
        <source>xfdesktop's monitors are not known: </source>
        <translation>xfdesktop のモニターが分かりません: </translation>
    </message>
    <message>
        <source>xfconfd refused %1: %2</source>
        <translation>xfconfd が %1 を拒否しました: %2</translation>
    </message>
    <message>
        <source>the desktop did not keep the new setting (%1 is "%2")</source>
        <translation>デスクトップが新しい設定を保持しませんでした (%1 は "%2" です)</translation>
    </message>
    <message>
        <source>Xfce %1 (%2)</source>
        <translation>Xfce %1 (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>フォルダー %1 を作成できません</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>ファイルは読み取り専用です</translation>
    </message>
    <message>
        <source>no file can be made in %1: %2</source>
        <translation>%1 にファイルを作成できません: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>cannot open the hive (%1)</source>
        <translation>ハイブを開けません (%1)</translation>
    </message>
    <message>
        <source>cannot write the hive (%1)</source>
        <translation>ハイブに書き込めません (%1)</translation>
    </message>
    <message>
        <source>cannot set up the hive (%1)</source>
        <translation>ハイブを準備できません (%1)</translation>
    </message>
    <message>
        <source>cannot check the hive (%1)</source>
        <translation>ハイブを検査できません (%1)</translation>
    </message>
    <message>
        <source>cannot read the hive (%1)</source>
        <translation>ハイブを読み込めません (%1)</translation>
    </message>
    <message>
        <source>not a registry hive (%1)</source>
        <translation>レジストリハイブではありません (%1)</translation>
    </message>
    <message>
        <source>another process keeps the hive busy (%1)</source>
        <translation>別のプロセスがハイブを使用中です (%1)</translation>
    </message>
    <message>
        <source>the hive is damaged (%1); move the file aside to start a fresh hive (the program then reads the desktop's live settings again)</source>
        <translation>ハイブが壊れています (%1)。ファイルを別の場所へ移すと新しいハイブで始められます (その後はデスクトップの現在の設定を読み直します)</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>フォルダー %1 を作成できません</translation>
    </message>
    <message>
        <source>is a folder, not a hive file</source>
        <translation>はフォルダーで、ハイブファイルではありません</translation>
    </message>
    <message>
        <source>holds a database that is not a registry hive</source>
        <translation>はレジストリハイブではないデータベースです</translation>
    </message>
    <message>
        <source>No wallpaper file was given.</source>
        <translation>壁紙ファイルが指定されていません。</translation>
    </message>
    <message>
        <source>The wallpaper file %1 cannot be read.</source>
        <translation>壁紙ファイル %1 を読み込めません。</translation>
    </message>
    <message>
        <source>The desktop (%1) did not accept the wallpaper.</source>
        <translation>デスクトップ (%1) が壁紙を受け付けませんでした。</translation>
    </message>
    <message>
        <source>The wallpaper path could not be recorded in %1.</source>
        <translation>壁紙のパスを %1 に記録できませんでした。</translation>
    </message>
    <message>
        <source>%1 cannot be replaced: %2</source>
        <translation>%1 を置き換えられません: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>cannot write beside %1: %2</source>
        <translation>%1 と同じ場所に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>%1 could not be flushed to the disk: %2</source>
        <translation>%1 をディスクに書き出せませんでした: %2</translation>
    </message>
    <message>
        <source>%1 could not be replaced: %2</source>
        <translation>%1 を置き換えられませんでした: %2</translation>
    </message>
</context>
<context>
    <name>tk::FontDialogWidget</name>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>太字</translation>
    </message>
    <message>
        <source>Bold Italic</source>
        <translation>太字 斜体</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>文字飾り</translation>
    </message>
    <message>
        <source>Stri&amp;kethrough</source>
        <translation>取り消し線(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>下線(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>サンプル</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>フォント名(&amp;F):</translation>
    </message>
    <message>
        <source>Font st&amp;yle:</source>
        <translation>スタイル(&amp;Y):</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>サイズ(&amp;S):</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>カスタム...</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>色</translation>
    </message>
    <message>
        <source>There is no font with that name. Choose a font from the list of fonts.</source>
        <translation>その名前のフォントはありません。フォントの一覧から選んで下さい。</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黒</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>茶</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>オリーブ</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>紺</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>紫</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>青緑</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>銀</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>黄緑</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>赤紫</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>水色</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白</translation>
    </message>
    <message>
        <source>Window Background</source>
        <translation>ウィンドウの背景</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>ウィンドウの文字</translation>
    </message>
    <message>
        <source>Greyed Text</source>
        <translation>淡色表示の文字</translation>
    </message>
    <message>
        <source>System Colour</source>
        <translation>システムの色</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>カスタム</translation>
    </message>
</context>
</TS>
