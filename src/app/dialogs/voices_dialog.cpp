#include "app/dialogs/voices_dialog.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <optional>

#include "app/dialogs/general_midi.h"
#include "ui_voices_dialog.h"

namespace kaz {

namespace {

constexpr unsigned kMaxVolume = 127;

//! A program list item: "027:  Electric Guitar (jazz)" for program 26.
QString ProgramItem(int program) {
    const std::string_view name = kGeneralMidiProgramNames[static_cast<std::size_t>(program)];
    return QStringLiteral("%1:  %2")
        .arg(program + 1, 3, 10, QLatin1Char('0'))
        .arg(QCoreApplication::translate("GeneralMidi", name.data()));
}

void FillPrograms(QComboBox& list, std::uint8_t selected) {
    for (int program = 0; program < kGeneralMidiProgramCount; ++program) {
        list.addItem(ProgramItem(program));
    }
    list.setCurrentIndex(selected);
}

//! The volume a field holds: a decimal number 0..127, or nothing.
std::optional<std::uint8_t> ReadVolume(const QLineEdit& field) {
    bool number = false;
    const unsigned volume = field.text().toUInt(&number);
    if (!number || volume > kMaxVolume) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(volume);
}

//! Move the volume of field by step within 0..127; text that is no volume counts as 0.
void StepVolume(QLineEdit& field, int step) {
    const int volume =
        std::clamp(static_cast<int>(ReadVolume(field).value_or(0)) + step, 0, static_cast<int>(kMaxVolume));
    field.setText(QString::number(volume));
    field.selectAll();
}

//! A field as wide as four digits, with its up and down buttons stacked beside it, together no taller.
void SizeVolume(QLineEdit& field, QToolButton& up, QToolButton& down) {
    field.setFixedWidth(field.minimumSizeHint().width() +
                        field.fontMetrics().horizontalAdvance(QStringLiteral("000")));
    const int height = field.sizeHint().height();
    const QSize button(height * 3 / 4, height / 2);
    up.setFixedSize(button);
    down.setFixedSize(button);
}

void SetUpVolume(QLineEdit& field, QToolButton& up, QToolButton& down, std::uint8_t volume) {
    // Digits only: a volume out of range is typed freely and caught by OK with a message.
    field.setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &field));
    field.setText(QString::number(volume));
    SizeVolume(field, up, down);
    QObject::connect(&up, &QToolButton::clicked, &field, [&field] { StepVolume(field, 1); });
    QObject::connect(&down, &QToolButton::clicked, &field, [&field] { StepVolume(field, -1); });
}

}  // namespace

VoicesDialog::VoicesDialog(QWidget* parent, const BandParts& parts)
    : QDialog(parent), ui_(std::make_unique<Ui::VoicesDialog>()), shown_(parts) {
    ui_->setupUi(this);
    ui_->chordsEnabled->setChecked(!parts["comping"].muted);
    ui_->bassEnabled->setChecked(!parts["bass"].muted);
    FillPrograms(*ui_->chordsProgram, parts.Program("comping"));
    FillPrograms(*ui_->bassProgram, parts.Program("bass"));
    SetUpVolume(*ui_->chordsVolume, *ui_->chordsVolumeUp, *ui_->chordsVolumeDown, parts.Volume("comping"));
    SetUpVolume(*ui_->bassVolume, *ui_->bassVolumeUp, *ui_->bassVolumeDown, parts.Volume("bass"));
    ui_->chordsVolume->installEventFilter(this);
    ui_->bassVolume->installEventFilter(this);
}

VoicesDialog::~VoicesDialog() = default;

BandParts VoicesDialog::Voices(BandParts parts) const {
    const auto take = [&](std::string_view id, const QCheckBox& enabled, const QComboBox& program,
                          const QLineEdit& volume) {
        Part& part = parts[id];
        part.muted = !enabled.isChecked();
        const auto chosen = static_cast<std::uint8_t>(program.currentIndex());
        if (chosen != shown_.Program(id)) {
            part.program = chosen;
        }
        const std::uint8_t level = ReadVolume(volume).value_or(shown_.Volume(id));
        if (level != shown_.Volume(id)) {
            part.volume = level;
        }
    };
    take("comping", *ui_->chordsEnabled, *ui_->chordsProgram, *ui_->chordsVolume);
    take("bass", *ui_->bassEnabled, *ui_->bassProgram, *ui_->bassVolume);
    return parts;
}

void VoicesDialog::accept() {
    if (CheckVolume(ui_->chordsVolume) && CheckVolume(ui_->bassVolume)) {
        QDialog::accept();
    }
}

bool VoicesDialog::CheckVolume(QLineEdit* field) {
    if (ReadVolume(*field)) {
        return true;
    }
    QMessageBox::warning(this, windowTitle(), tr("Enter a volume from 0 to 127."));
    field->setFocus();
    field->selectAll();
    return false;
}

bool VoicesDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepVolume(*field, key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EditVoices(QWidget* parent, BandParts& parts) {
    VoicesDialog dialog(parent, parts);
    if (dialog.exec() == QDialog::Accepted) {
        parts = dialog.Voices(parts);
    }
}

}  // namespace kaz
