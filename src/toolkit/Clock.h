#pragma once
// Where the program learns the date: main hands the system clock to the
// windows, tests a fixed day.

#include <QDate>

namespace tk {

class Clock {
public:
    virtual ~Clock() = default;
    // The local calendar day.
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};

}  // namespace tk
