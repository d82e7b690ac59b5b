#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kaz::test {

//! The folder that stands for $XDG_CONFIG_HOME in the window tests: the settings file is
//! TestConfigFolder() + "/Velmor/Kaz.conf".
[[nodiscard]] QString TestConfigFolder();

//! The bytes of the file at path.
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

//! Make bytes the file at path.
inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace kaz::test
