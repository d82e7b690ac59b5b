#pragma once

#include <functional>
#include <map>
#include <vector>

#include "app/document/chart_recovery.h"
#include "app/user_prompts.h"

namespace kaz::test {

//! Answers the window's prompts in the user's place, and remembers every message and question.
class TestPrompts final : public UserPrompts {
  public:
    struct Seen {
        QString title;
        QString text;
    };
    std::vector<Seen> seen;
    SaveChangesAnswer saveChanges = SaveChangesAnswer::Cancel;
    RecoveryAnswer restore = RecoveryAnswer::Later;  //!< for every chart in the list
    OutsideChangeAnswer outsideChange = OutsideChangeAnswer::KeepMine;
    bool openReadOnly = false;
    bool saveAsUtf8 = true;
    //! The name given for each question; none is Cancel.
    std::map<FileQuestion, QString> fileNames;
    //! The notation the user reads when asked, and what the question preselected; none closes it unanswered.
    std::optional<NotationMode> notation;
    NotationMode notationPreselected = 0;
    std::function<std::optional<TransposeResult>(const TransposeOffer&)> transposition =
        [](const TransposeOffer&) { return std::optional<TransposeResult>(); };

    void ShowMessage(std::string_view caption, std::string_view text, MessageIcon) override {
        seen.push_back({QString::fromUtf8(caption), QString::fromUtf8(text)});
    }
    SaveChangesAnswer AskSaveChanges(const QString& name) override {
        seen.push_back({QStringLiteral("Kaz"), QStringLiteral("Save changes to %1?").arg(name)});
        return saveChanges;
    }
    bool AskSaveAsUtf8() override {
        seen.push_back({QStringLiteral("Kaz"), QStringLiteral("Save it as UTF-8?")});
        return saveAsUtf8;
    }
    std::vector<RecoveryAnswer> ChooseRecoveries(const std::vector<LeftBehindWork>& work) override {
        seen.push_back({QStringLiteral("Kaz"), QStringLiteral("Restore %1?").arg(work.size())});
        return std::vector<RecoveryAnswer>(work.size(), restore);
    }
    OutsideChangeAnswer AskOutsideChange(const QString& name) override {
        seen.push_back({QStringLiteral("Kaz"), name + QStringLiteral(" was changed by another program")});
        return outsideChange;
    }
    bool AskOpenReadOnly(const QString& path) override {
        seen.push_back({QStringLiteral("Kaz"), path + QStringLiteral(" is open in another Kaz window")});
        return openReadOnly;
    }
    QString AskFileName(FileQuestion question, const QString&) override {
        const auto name = fileNames.find(question);
        return name != fileNames.end() ? name->second : QString();
    }
    std::optional<NotationMode> AskNotation(NotationMode preselected) override {
        seen.push_back({QStringLiteral("Note names"), QStringLiteral("Which note names do you read?")});
        notationPreselected = preselected;
        return notation;
    }
    std::optional<TransposeResult> ChooseTransposition(const TransposeOffer& offer) override {
        return transposition(offer);
    }
};

}  // namespace kaz::test
