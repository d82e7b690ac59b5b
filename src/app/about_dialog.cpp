#include "app/about_dialog.h"

#include <QCoreApplication>
#include <QDialog>

#include "midi/midi_file_writer.h"
#include "ui_about_dialog.h"

namespace kaz {

void ShowAbout(QWidget* parent) {
    QDialog dialog(parent);
    Ui::AboutDialog ui;
    ui.setupUi(&dialog);
    ui.version->setText(
        QCoreApplication::translate("AboutDialog", "Version %1").arg(QStringLiteral(KAZ_VERSION)));
    const QString homePage =
        QString::fromLatin1(kHomePageUrl.data(), static_cast<qsizetype>(kHomePageUrl.size()));
    ui.homePage->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(homePage.toHtmlEscaped()));
    dialog.exec();
}

}  // namespace kaz
