#include "app/message_box_presenter.h"

#include <QMessageBox>

namespace kaz {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MessageBoxPresenter::ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
                    FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, owner_);
    box.exec();
}

}  // namespace kaz
