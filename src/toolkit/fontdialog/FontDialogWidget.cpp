#include "toolkit/fontdialog/FontDialogWidget.h"

#include "toolkit/Messages.h"
#include "toolkit/fontdialog/DialogColors.h"
#include "toolkit/fontdialog/Dialogs.h"
#include "toolkit/fontdialog/FontList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tk {

namespace {
constexpr double kMinSize = 1.0;
constexpr double kMaxSize = 1638.0;
// The sample is clipped to its frame anyway; larger sizes only cost time.
constexpr double kMaxSampleSize = 72.0;

constexpr int kValueRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
enum ColorKind { StandardItem = 0, OtherItem = 1, CustomCommand = 2 };

QLocale sizeLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QIcon swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

// The row whose text equals `text` without regard to case, else (when
// `prefix` is set) the first row starting with it; -1 when none does.
int matchingRow(const QListWidget* list, const QString& text, bool prefix) {
    if (text.isEmpty()) {
        return -1;
    }
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().compare(text, Qt::CaseInsensitive) == 0) {
            return row;
        }
    }
    if (prefix) {
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
                return row;
            }
        }
    }
    return -1;
}

QLabel* buddyLabel(const QString& text, const char* name, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}
}  // namespace

FontDialogWidget::FontDialogWidget(const FontOptions& options, Messages& messages, Dialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      dialogs_(dialogs),
      showEffects_(options.showEffects),
      faces_(fontdialog::listFontFaces(options.faces)) {
    setObjectName(QStringLiteral("fontDialog"));
    setWindowTitle(tr("Font"));
    setModal(true);

    faceEdit_ = new QLineEdit(this);
    faceEdit_->setObjectName(QStringLiteral("faceEdit"));
    faceList_ = new QListWidget(this);
    faceList_->setObjectName(QStringLiteral("faceList"));
    faceList_->addItems(faces_);

    styleList_ = new QListWidget(this);
    styleList_->setObjectName(QStringLiteral("styleList"));
    styleList_->addItems({tr("Regular"), tr("Italic"), tr("Bold"), tr("Bold Italic")});
    styleList_->setCurrentRow(Regular);

    sizeEdit_ = new QLineEdit(this);
    sizeEdit_->setObjectName(QStringLiteral("sizeEdit"));
    auto* validator = new QDoubleValidator(kMinSize, kMaxSize, 2, sizeEdit_);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(sizeLocale());
    sizeEdit_->setValidator(validator);
    sizeList_ = new QListWidget(this);
    sizeList_->setObjectName(QStringLiteral("sizeList"));

    effects_ = new QGroupBox(tr("Effects"), this);
    effects_->setObjectName(QStringLiteral("effectsGroup"));
    strikeout_ = new QCheckBox(tr("Stri&kethrough"), effects_);
    strikeout_->setObjectName(QStringLiteral("strikeoutCheck"));
    underline_ = new QCheckBox(tr("&Underline"), effects_);
    underline_->setObjectName(QStringLiteral("underlineCheck"));
    colorCombo_ = new QComboBox(effects_);
    colorCombo_->setObjectName(QStringLiteral("colorCombo"));
    buildColorList();
    auto* effectsLayout = new QVBoxLayout(effects_);
    effectsLayout->addWidget(strikeout_);
    effectsLayout->addWidget(underline_);
    effectsLayout->addWidget(buddyLabel(tr("&Colour:"), "colorLabel", colorCombo_, effects_));
    effectsLayout->addWidget(colorCombo_);
    effectsLayout->addStretch();
    effects_->setVisible(showEffects_);

    auto* sampleGroup = new QGroupBox(tr("Sample"), this);
    sampleGroup->setObjectName(QStringLiteral("sampleGroup"));
    sample_ = new QLabel(QStringLiteral("AaBbYyZz"), sampleGroup);
    sample_->setObjectName(QStringLiteral("sampleLabel"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setFixedSize(220, 70);
    auto* sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(sample_);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    okButton_ = buttons->addButton(QDialogButtonBox::Ok);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    cancelButton_ = buttons->addButton(QDialogButtonBox::Cancel);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (canAccept() && takeListedFace(true)) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(buddyLabel(tr("&Font:"), "faceLabel", faceEdit_, this), 0, 0);
    grid->addWidget(faceEdit_, 1, 0);
    grid->addWidget(faceList_, 2, 0);
    grid->addWidget(buddyLabel(tr("Font st&yle:"), "styleLabel", styleList_, this), 0, 1);
    grid->addWidget(styleList_, 1, 1, 2, 1);
    grid->addWidget(buddyLabel(tr("&Size:"), "sizeLabel", sizeEdit_, this), 0, 2);
    grid->addWidget(sizeEdit_, 1, 2);
    grid->addWidget(sizeList_, 2, 2);
    grid->addWidget(buttons, 1, 3, 2, 1, Qt::AlignTop);
    grid->addWidget(effects_, 3, 0);
    grid->addWidget(sampleGroup, 3, 1, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    setTabOrder(faceEdit_, faceList_);
    setTabOrder(faceList_, styleList_);
    setTabOrder(styleList_, sizeEdit_);
    setTabOrder(sizeEdit_, sizeList_);
    setTabOrder(sizeList_, strikeout_);
    setTabOrder(strikeout_, underline_);
    setTabOrder(underline_, colorCombo_);
    setTabOrder(colorCombo_, okButton_);
    setTabOrder(okButton_, cancelButton_);

    // Up and down in an edit field move through its list, as in a combo box.
    faceEdit_->installEventFilter(this);
    sizeEdit_->installEventFilter(this);

    connect(faceEdit_, &QLineEdit::textEdited, this, &FontDialogWidget::onFaceEdited);
    connect(faceList_, &QListWidget::currentRowChanged, this, &FontDialogWidget::onFaceRowChanged);
    connect(sizeEdit_, &QLineEdit::textEdited, this, &FontDialogWidget::onSizeEdited);
    connect(sizeList_, &QListWidget::currentRowChanged, this, &FontDialogWidget::onSizeRowChanged);
    connect(styleList_, &QListWidget::currentRowChanged, this, &FontDialogWidget::refresh);
    connect(strikeout_, &QCheckBox::toggled, this, &FontDialogWidget::refresh);
    connect(underline_, &QCheckBox::toggled, this, &FontDialogWidget::refresh);
    connect(colorCombo_, &QComboBox::activated, this, &FontDialogWidget::onColorActivated);

    faceEdit_->setFocus();
    refillSizes();
    refresh();
}

void FontDialogWidget::buildColorList() {
    for (const fontdialog::StandardColor& c : fontdialog::standardColors()) {
        colorCombo_->addItem(swatch(fontdialog::toQColor(c.bgr)), tr(c.name));
        const int row = colorCombo_->count() - 1;
        colorCombo_->setItemData(row, c.bgr, kValueRole);
        colorCombo_->setItemData(row, StandardItem, kKindRole);
    }
    colorCombo_->addItem(tr("Custom..."));
    colorCombo_->setItemData(colorCombo_->count() - 1, CustomCommand, kKindRole);
    colorCombo_->setCurrentIndex(0);
    lastColorIndex_ = 0;
}

void FontDialogWidget::selectColor(int32_t bgr) {
    int index = -1;
    int other = -1;
    for (int i = 0; i < colorCombo_->count(); ++i) {
        const int kind = colorCombo_->itemData(i, kKindRole).toInt();
        if (kind == StandardItem && colorCombo_->itemData(i, kValueRole).toInt() == bgr) {
            index = i;
        } else if (kind == OtherItem) {
            other = i;
        }
    }
    if (index < 0) {
        // A colour outside the standard sixteen gets one entry of its own,
        // just above "Custom...", and keeps its exact value.
        if (other < 0) {
            other = colorCombo_->count() - 1;
            colorCombo_->insertItem(other, QString());
            colorCombo_->setItemData(other, OtherItem, kKindRole);
        }
        colorCombo_->setItemText(other, fontdialog::colorName(bgr));
        colorCombo_->setItemIcon(other, swatch(fontdialog::toQColor(bgr)));
        colorCombo_->setItemData(other, bgr, kValueRole);
        index = other;
    }
    colorCombo_->setCurrentIndex(index);
    lastColorIndex_ = index;
}

void FontDialogWidget::onColorActivated(int index) {
    if (colorCombo_->itemData(index, kKindRole).toInt() != CustomCommand) {
        lastColorIndex_ = index;
        refresh();
        return;
    }
    const QColor initial =
        fontdialog::toQColor(colorCombo_->itemData(lastColorIndex_, kValueRole).toInt());
    const QColor chosen = dialogs_.pickColor(initial, this);
    if (chosen.isValid()) {
        selectColor(fontdialog::toBgr(chosen));
    } else {
        colorCombo_->setCurrentIndex(lastColorIndex_);
    }
    refresh();
}

void FontDialogWidget::prefill(const FontChoice& from) {
    syncing_ = true;
    faceEdit_->setText(from.face);
    const int faceRow = matchingRow(faceList_, from.face, false);
    faceList_->setCurrentRow(faceRow);
    if (faceRow >= 0) {
        faceList_->scrollToItem(faceList_->item(faceRow), QAbstractItemView::PositionAtTop);
    }
    syncing_ = false;

    styleList_->setCurrentRow((from.bold ? Bold : Regular) + (from.italic ? Italic : 0));

    prefilledSize_ = from.size;
    prefilledSizeText_ =
        from.size > 0 ? sizeLocale().toString(static_cast<double>(from.size), 'g', 6) : QString();
    sizeEdit_->setText(prefilledSizeText_);

    strikeout_->setChecked(from.strikeout);
    underline_->setChecked(from.underline);
    selectColor(from.color);

    refillSizes();
    refresh();
    faceEdit_->selectAll();
}

std::optional<float> FontDialogWidget::chosenSize() const {
    QString text = sizeEdit_->text();
    // An untouched size comes back exactly as given, not through its text.
    if (prefilledSize_ > 0 && text == prefilledSizeText_) {
        return prefilledSize_;
    }
    int pos = 0;
    if (sizeEdit_->validator()->validate(text, pos) != QValidator::Acceptable) {
        return std::nullopt;
    }
    bool ok = false;
    const float size = sizeLocale().toFloat(text, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return size;
}

int32_t FontDialogWidget::chosenColor() const {
    return colorCombo_->itemData(lastColorIndex_, kValueRole).toInt();
}

bool FontDialogWidget::canAccept() const {
    return !faceEdit_->text().trimmed().isEmpty() && chosenSize().has_value();
}

bool FontDialogWidget::takeListedFace(bool tell) {
    const int row = matchingRow(faceList_, faceEdit_->text().trimmed(), false);
    if (row >= 0) {
        faceList_->setCurrentRow(row);
        faceEdit_->setText(faceList_->item(row)->text());
        return true;
    }
    if (tell) {
        messages_.warn(tr("There is no font with that name. Choose a font from the list of fonts."),
                       windowTitle(), this);
        faceEdit_->setFocus();
        faceEdit_->selectAll();
    }
    return false;
}

void FontDialogWidget::copyChoiceTo(FontChoice& to) const {
    to.face = faceEdit_->text();
    if (const std::optional<float> size = chosenSize()) {
        to.size = *size;
    }
    const int style = styleList_->currentRow();
    if (style >= 0) {
        to.bold = style == Bold || style == BoldItalic;
        to.italic = style == Italic || style == BoldItalic;
    }
    if (showEffects_) {
        to.strikeout = strikeout_->isChecked();
        to.underline = underline_->isChecked();
        to.color = chosenColor();
    }
}

bool FontDialogWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == faceEdit_ || watched == sizeEdit_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QListWidget* list = watched == faceEdit_ ? faceList_ : sizeList_;
            QCoreApplication::sendEvent(list, event);
            static_cast<QLineEdit*>(watched)->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FontDialogWidget::onFaceEdited(const QString& text) {
    // Typing highlights the nearest face without replacing what was typed.
    syncing_ = true;
    const int row = matchingRow(faceList_, text, true);
    faceList_->setCurrentRow(row);
    if (row >= 0) {
        faceList_->scrollToItem(faceList_->item(row));
    }
    syncing_ = false;
    refillSizes();
    refresh();
}

void FontDialogWidget::onFaceRowChanged(int row) {
    if (syncing_ || row < 0) {
        return;
    }
    faceEdit_->setText(faceList_->item(row)->text());
    refillSizes();
    refresh();
}

void FontDialogWidget::onSizeEdited(const QString& text) {
    syncing_ = true;
    sizeList_->setCurrentRow(matchingRow(sizeList_, text, false));
    syncing_ = false;
    refresh();
}

void FontDialogWidget::onSizeRowChanged(int row) {
    if (syncing_ || row < 0) {
        return;
    }
    sizeEdit_->setText(sizeList_->item(row)->text());
    refresh();
}

void FontDialogWidget::refillSizes() {
    const QStringList sizes = fontdialog::listFontSizes(faceEdit_->text());
    QStringList current;
    for (int row = 0; row < sizeList_->count(); ++row) {
        current << sizeList_->item(row)->text();
    }
    syncing_ = true;
    if (current != sizes) {
        sizeList_->clear();
        sizeList_->addItems(sizes);
    }
    sizeList_->setCurrentRow(matchingRow(sizeList_, sizeEdit_->text(), false));
    syncing_ = false;
}

void FontDialogWidget::refresh() {
    okButton_->setEnabled(canAccept());

    QFont font(faceEdit_->text());
    const std::optional<float> size = chosenSize();
    font.setPointSizeF(
        std::clamp(size ? static_cast<double>(*size) : 12.0, kMinSize, kMaxSampleSize));
    const int style = styleList_->currentRow();
    font.setBold(style == Bold || style == BoldItalic);
    font.setItalic(style == Italic || style == BoldItalic);
    font.setUnderline(showEffects_ && underline_->isChecked());
    font.setStrikeOut(showEffects_ && strikeout_->isChecked());
    sample_->setFont(font);

    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, showEffects_
                                               ? fontdialog::toQColor(chosenColor())
                                               : this->palette().color(QPalette::WindowText));
    sample_->setPalette(palette);
}

}  // namespace tk
