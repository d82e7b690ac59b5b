#include "app/sounding_words.h"

#include <QCoreApplication>

namespace kaz {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("SoundingWords", text);
}

QString Ordinal(int pass) {
    const int lastTwo = pass % 100;
    const int last = pass % 10;
    const char* suffix = (lastTwo >= 11 && lastTwo <= 13) ? "th"
                         : last == 1                      ? "st"
                         : last == 2                      ? "nd"
                         : last == 3                      ? "rd"
                                                          : "th";
    return QString::number(pass) + QLatin1String(suffix);
}

}  // namespace

QString MeasureWords(const SongPlace& place) {
    QString text = Tr("Measure %1").arg(place.writtenMeasure);
    if (place.pass > 1) {
        text = Tr("%1 (%2 time)").arg(text, Ordinal(place.pass));
    }
    if (!place.section.empty()) {
        text = Tr("%1 · %2").arg(
            QString::fromUtf8(place.section.data(), static_cast<qsizetype>(place.section.size())), text);
    }
    return text;
}

QString SoundingWords(const QString& measure, const QString& chord, const QString& next) {
    const QString words = Tr("%1: %2").arg(measure, chord);
    return next.isEmpty() ? words : Tr("%1, next %2").arg(words, next);
}

}  // namespace kaz
