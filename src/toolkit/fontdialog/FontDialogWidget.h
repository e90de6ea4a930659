#pragma once
// The window of the font dialog: face, style and size lists with their edit
// fields, the effects (strikethrough, underline, colour), a sample, OK and
// Cancel. FontDialog::choose prefills it, runs it and reads it back.

#include <QColor>
#include <QDialog>
#include <QStringList>

#include <cstdint>
#include <optional>

#include "toolkit/fontdialog/FontChoice.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tk {

class Dialogs;
class Messages;

class FontDialogWidget : public QDialog {
    Q_OBJECT

public:
    // `messages` tells the user about a face the list lacks; `dialogs` asks
    // for a colour of the user's own.
    FontDialogWidget(const FontOptions& options, Messages& messages, Dialogs& dialogs,
                     QWidget* parent = nullptr);

    // Shows `from`. A face the list lacks is shown as given (OK then asks for
    // a listed one); a colour the list lacks gets an entry of its own and
    // comes back unchanged unless the user picks another.
    void prefill(const FontChoice& from);
    // Copies the choice into `to`: face, size, bold, italic, and the effects
    // and colour only when they are shown.
    void copyChoiceTo(FontChoice& to) const;
    // True when the face is not blank and the size is a valid point size.
    bool canAccept() const;
    // Whether the face field names a listed face, without regard to case; the
    // field then takes the list's spelling. Otherwise, with `tell`, a message
    // says so and the face field gets the focus.
    bool takeListedFace(bool tell);

    QStringList listedFaces() const { return faces_; }
    // The size the dialog would return, if the size field holds one.
    std::optional<float> chosenSize() const;
    // The colour the dialog would return.
    int32_t chosenColor() const;

    QLineEdit* faceEdit() const { return faceEdit_; }
    QListWidget* faceList() const { return faceList_; }
    QListWidget* styleList() const { return styleList_; }
    QLineEdit* sizeEdit() const { return sizeEdit_; }
    QListWidget* sizeList() const { return sizeList_; }
    QGroupBox* effectsGroup() const { return effects_; }
    QCheckBox* strikeoutCheck() const { return strikeout_; }
    QCheckBox* underlineCheck() const { return underline_; }
    QComboBox* colorCombo() const { return colorCombo_; }
    QLabel* sampleLabel() const { return sample_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Rows of the style list.
    enum StyleRow { Regular = 0, Italic = 1, Bold = 2, BoldItalic = 3 };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildColorList();
    void selectColor(int32_t bgr);
    void onColorActivated(int index);
    void onFaceEdited(const QString& text);
    void onFaceRowChanged(int row);
    void onSizeEdited(const QString& text);
    void onSizeRowChanged(int row);
    void refillSizes();
    void refresh();

    Messages& messages_;
    Dialogs& dialogs_;
    bool showEffects_;
    QStringList faces_;
    QString prefilledSizeText_;
    float prefilledSize_ = 0.0F;
    int lastColorIndex_ = 0;
    bool syncing_ = false;

    QLineEdit* faceEdit_;
    QListWidget* faceList_;
    QListWidget* styleList_;
    QLineEdit* sizeEdit_;
    QListWidget* sizeList_;
    QGroupBox* effects_;
    QCheckBox* strikeout_;
    QCheckBox* underline_;
    QComboBox* colorCombo_;
    QLabel* sample_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tk
