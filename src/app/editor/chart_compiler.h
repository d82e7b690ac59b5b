#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/text_positions.h"
#include "language/compile_score.h"
#include "render/measure_numbers.h"

namespace kaz {

class ChartEditor;
class UserPrompts;

//! One compile of the editor's chart: the compiled chart, the map of its byte offsets to the editor's
//! positions, and what it was made from.
struct ChartCompile {
    std::shared_ptr<const CompiledChart> chart;
    TextPositionMap positions;
    //! The numbers of the measures each line starts with; empty unless the chart compiled.
    std::vector<LineMeasureNumber> measureNumbers;
    std::uint64_t editorRevision = 0;  //!< the editor's revision of the text compiled
    std::uint64_t text = 0;            //!< which of the texts compiled so far, counting only different ones
    std::uint64_t settings = 0;        //!< which of the settings (notation, voices, style) it was read with
    std::uint64_t definitions = 0;     //!< which of the lists of chord definitions it started from
};

//! Compiles the editor's chart once for every change of its text or of how it is read, on a thread of its
//! own, and hands every reader the same compile: the live check, the chart view, the follow view, Play and
//! the commands that need the music. The window's thread never compiles; at most it waits for the compile of
//! the text it has (Current). The chord definitions the compiles start from are the window's one list.
class ChartCompiler final : public QObject {
    Q_OBJECT

  public:
    //! Compiles editor's text with what settings holds at each compile.
    ChartCompiler(ChartEditor& editor, const RenderSettings& settings, QObject* parent);
    //! Ends the compiling thread once the compile in progress is done.
    ~ChartCompiler() override;
    ChartCompiler(const ChartCompiler&) = delete;
    ChartCompiler& operator=(const ChartCompiler&) = delete;

    //! How the chart is read or played changed (the notation, the voices, the style): compile it again.
    void SettingsChanged();
    //! The transport's tempo, and the chart's tempo mark it holds over, which the performance starts with.
    //! The chart is compiled again only when its performance would start at another tempo.
    void SetTempo(std::int32_t transport, std::optional<std::int32_t> heldMark);
    //! The chord definitions every compile starts from; the chart is compiled again when they say
    //! something else than those the last compile started from.
    void SetChordDefinitions(std::shared_ptr<const ChordDefinitions> definitions);
    [[nodiscard]] const std::shared_ptr<const ChordDefinitions>& Definitions() const { return definitions_; }

    //! The compile of the text and the settings as they are now, waited for when it has not come yet.
    [[nodiscard]] std::shared_ptr<const ChartCompile> Current();
    //! The last compile that came; it may be of an older text. nullptr before the first.
    [[nodiscard]] const std::shared_ptr<const ChartCompile>& Latest() const { return latest_; }
    //! Whether compile is of the text and the settings as they are now.
    [[nodiscard]] bool IsCurrent(const ChartCompile& compile) const;
    //! The compiles made so far.
    [[nodiscard]] std::uint64_t Compiles() const { return compiles_.load(std::memory_order_relaxed); }

  signals:
    //! A compile came: Latest() holds it.
    void compiled();

  private:
    //! What one compile is asked to compile.
    struct Request {
        std::uint64_t id = 0;
        std::string text;
        CompileOptions options;
        std::uint64_t editorRevision = 0;
        std::uint64_t textRevision = 0;
        std::uint64_t settingsRevision = 0;
        std::uint64_t definitionsRevision = 0;
    };

    //! Ask for a compile of the editor's text unless the last one asked for is of the same text and settings.
    void Ask();
    //! Ask soon, once the changes of this turn of the event loop are in.
    void AskSoon();
    //! The settings a compile starts now with.
    [[nodiscard]] RenderSettings SettingsNow() const;
    //! Take the newest compile done, if the window has not yet; announce it.
    void TakeFinished();
    //! The compiling thread's loop.
    void Run();

    ChartEditor& editor_;
    const RenderSettings& settings_;
    std::shared_ptr<const ChordDefinitions> definitions_;
    std::int32_t transportTempo_ = kDefaultTempo;
    std::optional<std::int32_t> heldMark_;
    bool askDue_ = false;
    std::string askedText_;  //!< the text of the last request
    std::uint64_t askedDefinitions_ = 0;
    std::int32_t askedTempo_ = kDefaultTempo;
    std::optional<std::int32_t> askedMark_;
    std::uint64_t requests_ = 0;
    std::uint64_t textRevision_ = 0;
    std::uint64_t askedSettings_ = 0;
    std::uint64_t settingsRevision_ = 0;
    std::uint64_t definitionsRevision_ = 0;
    std::uint64_t taken_ = 0;  //!< the request whose compile Latest() holds
    std::shared_ptr<const ChartCompile> latest_;

    // Between the window's thread and the compiling one, under mutex_:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Request> waiting_;  //!< the newest request not started yet
    std::shared_ptr<const ChartCompile> finished_;
    std::uint64_t finishedId_ = 0;
    bool ending_ = false;

    std::atomic<std::uint64_t> compiles_{0};
    std::thread thread_;
};

//! Whether compile has a mistake (a language error or a fault). When it has, its error is selected in editor
//! and its message shown through prompts, as Play shows it.
[[nodiscard]] bool ShowCompileMistake(const ChartCompile& compile, ChartEditor& editor, UserPrompts& prompts);

}  // namespace kaz
