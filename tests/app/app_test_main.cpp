// The window tests run on Qt's offscreen platform, with the program's settings in a temporary folder that
// each test may look into: QSettings reads its location once, before the first QSettings is made.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/app_test_support.h"

namespace kaz::test {

namespace {
QTemporaryDir* configFolder = nullptr;
}

QString TestConfigFolder() {
    return configFolder->path();
}

}  // namespace kaz::test

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir folder;
    kaz::test::configFolder = &folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    // The recovery files, the locks of open charts and the copies a save in place makes.
    qputenv("XDG_DATA_HOME", (folder.path() + "/data").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
