#pragma once
// CommonDialog: the font dialog behind the main window's font command. It
// holds the dialog's fields between uses and shows a modal FontDialogWidget
// prefilled from them; a confirmed choice is copied back into the fields.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <stdexcept>

namespace tk {

// Option flags understood by ShowFont.
inline constexpr int32_t CF_SCREENFONTS = 0x00000001;   // list the screen fonts
inline constexpr int32_t CF_PRINTERFONTS = 0x00000002;  // the same fonts here
inline constexpr int32_t CF_EFFECTS = 0x00000100;       // strikethrough, underline, colour
inline constexpr int32_t CF_ANSIONLY = 0x00000400;      // only faces covering Latin
inline constexpr int32_t CF_TTONLY = 0x00040000;        // only scalable outline faces

// Every failure of ShowFont derives from this.
class CommonDialogError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The user cancelled while CommonDialog::CancelError was on.
class CancelError : public CommonDialogError {
public:
    CancelError() : CommonDialogError("Cancel was selected.") {}
};

// The flags leave no face to list.
class NoFontsError : public CommonDialogError {
public:
    NoFontsError() : CommonDialogError("There are no fonts to choose from.") {}
};

class Dialogs;
class Messages;

class CommonDialog {
public:
    // The dialog opens over `owner` (may be null), is run by `dialogs` and
    // tells the user through `messages`; both must outlive it.
    CommonDialog(Messages& messages, Dialogs& dialogs, QWidget* owner = nullptr)
        : messages_(&messages), dialogs_(&dialogs), owner_(owner) {}

    QString FontName;
    float FontSize = 0.0F;  // points; 0 shows no size
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    int32_t Color = 0;  // 0x00BBGGRR, or a system colour 0x800000nn
    int32_t Flags = 0;
    bool CancelError = false;

    // Shows the font dialog modally. On OK the fields take the user's choice
    // (the effects and the colour only when CF_EFFECTS shows them) and the
    // result is true. On cancel the fields stay as they were: with
    // CancelError on, tk::CancelError is thrown, otherwise the result is false.
    // Throws tk::NoFontsError when the flags leave nothing to list.
    bool ShowFont();

private:
    Messages* messages_;
    Dialogs* dialogs_;
    QPointer<QWidget> owner_;
};

}  // namespace tk
