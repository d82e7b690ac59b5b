#include "app/sounding_words.h"

#include <QCoreApplication>

namespace kaz {

namespace {

//! "2nd" and its kin; a translation writes the ordinal of its language for each count.
QString Ordinal(int pass) {
    const int lastTwo = pass % 100;
    const int last = pass % 10;
    if (lastTwo >= 11 && lastTwo <= 13) {
        return QCoreApplication::translate("SoundingWords", "%nth", "ordinal", pass);
    }
    switch (last) {
        case 1:
            return QCoreApplication::translate("SoundingWords", "%nst", "ordinal", pass);
        case 2:
            return QCoreApplication::translate("SoundingWords", "%nnd", "ordinal", pass);
        case 3:
            return QCoreApplication::translate("SoundingWords", "%nrd", "ordinal", pass);
        default:
            return QCoreApplication::translate("SoundingWords", "%nth", "ordinal", pass);
    }
}

}  // namespace

QString MeasureWords(const SongPlace& place) {
    QString text = QCoreApplication::translate("SoundingWords", "Measure %1").arg(place.writtenMeasure);
    if (place.pass > 1) {
        text = QCoreApplication::translate("SoundingWords", "%1 (%2 time)").arg(text, Ordinal(place.pass));
    }
    if (!place.section.empty()) {
        text = QCoreApplication::translate("SoundingWords", "%1 · %2")
                   .arg(QString::fromUtf8(place.section.data(), static_cast<qsizetype>(place.section.size())),
                        text);
    }
    return text;
}

QString SoundingWords(const QString& measure, const QString& chord, const QString& next) {
    const QString words = QCoreApplication::translate("SoundingWords", "%1: %2").arg(measure, chord);
    return next.isEmpty() ? words
                          : QCoreApplication::translate("SoundingWords", "%1, next %2").arg(words, next);
}

}  // namespace kaz
