#include "app/dialogs/about_dialog.h"

#include <QCoreApplication>
#include <QDialog>

#include "base/program.h"
#include "ui_about_dialog.h"

namespace kaz {

void ShowAbout(QWidget* parent) {
    QDialog dialog(parent);
    Ui::AboutDialog ui;
    ui.setupUi(&dialog);
    ui.version->setText(
        QCoreApplication::translate("AboutDialog", "Version %1").arg(QString::fromUtf8(kProgramVersion)));
    const QString homePage = QString::fromUtf8(kHomePageUrl);
    ui.homePage->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(homePage.toHtmlEscaped()));
    dialog.exec();
}

}  // namespace kaz
