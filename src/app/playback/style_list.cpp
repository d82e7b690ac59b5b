#include "app/playback/style_list.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QVariant>
#include <memory>

#include "app/player_settings.h"
#include "app/settings.h"

namespace kaz {

StyleList::StyleList(RenderSettings& settings, QWidget* parent)
    : QComboBox(parent), render_(settings), settings_(settings.style) {
    setAccessibleName(tr("Style"));
    setToolTip(tr("The accompaniment style where the chart names none"));
    if (settings_.library == nullptr) {
        settings_.library = std::make_shared<const StyleLibrary>(LoadStyles(
            StyleFolders(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString())));
    }
    for (const std::string& name : settings_.library->Names()) {
        addItem(QString::fromStdString(name));
    }
    // The block chords are no style of a name of its own: the window says what they are in its language.
    setItemText(0, tr("Block chords (as written)"));
    const QString kept = OpenSettings().value(setting_keys::kAccompanimentStyle).toString();
    const int keptIndex = findText(kept);
    setCurrentIndex(keptIndex >= 0 ? keptIndex : 0);
    // Taken, not stored again: the settings file is not rewritten at every start.
    Take(currentIndex());
    LoadBandSettings(render_);
    connect(this, &QComboBox::currentIndexChanged, this, &StyleList::Choose);
}

void StyleList::OfferForMeter(std::int32_t num, std::int32_t den) {
    const bool common = num == 4 && den == 4;
    // The first entry is the block chords.
    for (int i = 1; i < count(); ++i) {
        const Style* style = settings_.library->Find(itemText(i).toStdString());
        const bool own = !common && style != nullptr && style->OwnPattern(num, den) != nullptr;
        QFont font = this->font();
        font.setBold(own);
        setItemData(i, own ? QVariant(font) : QVariant(), Qt::FontRole);
        setItemData(i,
                    own ? QVariant(tr("Has a pattern of its own for %1/%2").arg(num).arg(den)) : QVariant(),
                    Qt::ToolTipRole);
    }
}

void StyleList::Take(int index) {
    // The first entry is the block chords, which an empty name plays.
    settings_.name = index <= 0 ? std::string() : currentText().toStdString();
}

void StyleList::Choose(int index) {
    Take(index);
    if (index > 0 || OpenSettings().contains(setting_keys::kAccompanimentStyle)) {
        OpenSettings().setValue(setting_keys::kAccompanimentStyle,
                                index > 0
                                    ? currentText()
                                    : QString::fromUtf8(kBlockChordsStyle.data(), kBlockChordsStyle.size()));
    }
}

}  // namespace kaz
