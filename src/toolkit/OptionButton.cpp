#include "toolkit/OptionButton.h"

#include "toolkit/Colors.h"

namespace tk {

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    setAutoFillBackground(true);
    applyPalette();
    // The buttons of a group are one tab stop, the selected one; the arrow
    // keys move within the group. A click still focuses any of them.
    const auto stop = [this](bool checked) {
        setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    };
    stop(isChecked());
    connect(this, &QAbstractButton::toggled, this, stop);
}

void OptionButton::setTextColor(int32_t color) {
    textColor_ = color;
    applyPalette();
}

void OptionButton::setBackColor(int32_t color) {
    backColor_ = color;
    applyPalette();
}

void OptionButton::applyPalette() {
    QPalette pal = palette();
    const QColor fg = resolveColor(textColor_, pal);
    const QColor bg = resolveColor(backColor_, pal);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, fg);
        pal.setColor(group, QPalette::ButtonText, fg);
        pal.setColor(group, QPalette::Window, bg);
        pal.setColor(group, QPalette::Button, bg);
    }
    setPalette(pal);
}

}  // namespace tk
