#pragma once
// An option button whose caption is drawn in a colour of the program's own
// (0x00BBGGRR or a system colour). The colour is the button's state: other
// code reads and writes it as textColor. Only the selected button of a group
// is a tab stop.

#include <QRadioButton>
#include <cstdint>

namespace tk {

class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);

    int32_t textColor() const { return textColor_; }
    void setTextColor(int32_t color);

    void setBackColor(int32_t color);

private:
    void applyPalette();

    int32_t textColor_ = 0;
    int32_t backColor_ = static_cast<int32_t>(0x80000005u);
};

}  // namespace tk
