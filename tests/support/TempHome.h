#pragma once
// Points XDG_CONFIG_HOME and XDG_DATA_HOME at fresh temporary directories for
// the lifetime of the object, so a test never reads or writes the user's
// registry hive, settings or wallpaper.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString root() const { return dir_.path(); }
    QString configHome() const { return dir_.path() + "/config"; }
    QString dataHome() const { return dir_.path() + "/data"; }

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_, oldData_;
    bool hadConfig_ = false, hadData_ = false;
};
