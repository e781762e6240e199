#include "app/CBusyState.h"
#include "app/CCommandId.h"
#include "app/CCommandRouter.h"
#include "app/CCommandTable.h"
#include "resources/CStringTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A target that carries out the given commands and logs which of them ran, by name.
class CLoggingTarget : public CCmdTarget {
public:
    CLoggingTarget(std::string name, std::vector<std::string>& log, std::vector<int> ids)
        : m_name(std::move(name)) {
        for (const int id : ids) {
            OnCommand(id, [this, &log, id] { log.push_back(m_name + ":" + std::to_string(id)); });
        }
    }
    std::function<void(CCommandState&)> fill;
    void FillCommandState(CCommandState& state) const override {
        if (fill) {
            fill(state);
        }
    }

private:
    std::string m_name;
};

} // namespace

TEST(CommandRouterTest, TheFirstTargetInTheChainThatHandlesACommandRunsIt) {
    std::vector<std::string> log;
    CLoggingTarget view("view", log, {CCommandId::AreaDelete});
    CLoggingTarget document("document", log, {CCommandId::Help, CCommandId::Exit});
    CLoggingTarget frame("frame", log, {CCommandId::Exit, CCommandId::About});
    CLoggingTarget app("app", log, {CCommandId::Help, CCommandId::About, CCommandId::Exit});
    CCommandRouter router;
    router.SetChain({&view, nullptr, &document, &frame, &app});

    EXPECT_TRUE(router.Execute(CCommandId::AreaDelete));
    EXPECT_TRUE(router.Execute(CCommandId::Exit));
    EXPECT_TRUE(router.Execute(CCommandId::About));
    EXPECT_TRUE(router.Execute(CCommandId::Help));
    EXPECT_EQ(log, (std::vector<std::string>{"view:32786", "document:57665", "frame:57664",
                                             "document:32798"}));
    EXPECT_EQ(router.HandlerOf(CCommandId::Open), nullptr);
}

TEST(CommandRouterTest, ACommandWithoutHandlerOrWithAFalseRuleIsDisabledAndNeverRuns) {
    std::vector<std::string> log;
    CLoggingTarget frame("frame", log, {CCommandId::Save, CCommandId::Stop});
    bool open = true;
    bool playing = false;
    CBusyState busy;
    frame.fill = [&](CCommandState& state) {
        state.open = open;
        state.playing = playing;
        state.busy = busy.IsBusy();
    };
    CCommandRouter router;
    router.SetChain({&frame});

    // Rule true, no handler: Exit is always allowed but nobody carries it out here.
    EXPECT_FALSE(router.Query(CCommandId::Exit).enabled);
    EXPECT_FALSE(router.Execute(CCommandId::Exit));
    // Handler, rule false.
    EXPECT_FALSE(router.Query(CCommandId::Stop).enabled);
    EXPECT_FALSE(router.Execute(CCommandId::Stop));
    // While a long operation runs nothing starts, whatever its own rule says.
    {
        const CBusyState::Scope saving(busy, nullptr);
        EXPECT_FALSE(router.Query(CCommandId::Save).enabled);
        EXPECT_FALSE(router.Execute(CCommandId::Save));
    }
    // The rule is read again at the moment the command runs.
    EXPECT_TRUE(router.Execute(CCommandId::Save));
    playing = true;
    EXPECT_FALSE(router.Execute(CCommandId::Save));
    EXPECT_TRUE(router.Execute(CCommandId::Stop));
    open = false;
    EXPECT_FALSE(router.Execute(CCommandId::Stop));
    // Not a command of the table at all.
    EXPECT_FALSE(router.Query(12345).enabled);
    EXPECT_EQ(log, (std::vector<std::string>{"frame:32792", "frame:32772"}));
}

TEST(CommandRouterTest, EveryTargetAddsWhatItKnowsToTheState) {
    std::vector<std::string> log;
    CLoggingTarget document("document", log, {});
    CLoggingTarget frame("frame", log, {CCommandId::Play});
    document.fill = [](CCommandState& state) { state.open = true; };
    frame.fill = [](CCommandState& state) { state.audioPlaying = true; };
    CCommandRouter router;
    router.SetChain({&document, &frame});
    const CCommandRouter::Status play = router.Query(CCommandId::Play);
    EXPECT_TRUE(play.enabled);
    EXPECT_TRUE(play.checked);
}

TEST(CommandTableTest, EveryCommandHasItsTextsInBothLanguagesAndAUniqueId) {
    std::set<int> ids;
    for (const auto& row : CCommandTable::Rows()) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        for (const int language : {CStringTable::English, CStringTable::Japanese}) {
            const bool recentEntry =
                row.id > CCommandId::RecentFile1 && row.id <= CCommandId::RecentFile4;
            const bool contextEntry = row.owner == CCommandTable::Owner::View;
            if (!recentEntry) {
                EXPECT_FALSE(CStringTable::LoadMenu(row.id, language).empty()) << row.id;
            }
            // The view's context menu items and the video-size item have no prompt.
            if (!contextEntry && row.id != CCommandId::VideoSize) {
                EXPECT_FALSE(CStringTable::Load(row.stringId, language).empty()) << row.id;
            }
        }
        if (row.toolbar != CCommandTable::Toolbar::None) {
            EXPECT_NE(CStringTable::Load(row.stringId).find('\n'), std::string::npos)
                << "a button needs a tool tip: " << row.id;
        }
    }
    EXPECT_EQ(ids.size(), 44u);
}

TEST(CommandTableTest, ToolbarsHoldTheirButtonsLeftToRight) {
    std::vector<std::pair<int, int>> standard;
    std::vector<std::pair<int, int>> movie;
    for (const auto& row : CCommandTable::Rows()) {
        if (row.toolbar == CCommandTable::Toolbar::Standard) {
            standard.emplace_back(row.button, row.id);
        } else if (row.toolbar == CCommandTable::Toolbar::Movie) {
            movie.emplace_back(row.button, row.id);
        }
    }
    std::sort(standard.begin(), standard.end());
    std::sort(movie.begin(), movie.end());
    EXPECT_EQ(standard, (std::vector<std::pair<int, int>>{{0, CCommandId::Open},
                                                          {2, CCommandId::FixedMode},
                                                          {3, CCommandId::MovingMode},
                                                          {4, CCommandId::PreviewMode},
                                                          {6, CCommandId::Save}}));
    EXPECT_EQ(movie, (std::vector<std::pair<int, int>>{{0, CCommandId::First},
                                                       {1, CCommandId::Back},
                                                       {2, CCommandId::Play},
                                                       {3, CCommandId::Next},
                                                       {4, CCommandId::Last},
                                                       {6, CCommandId::Track}}));
}

// Leaving while busy: the innermost operation is asked to cancel, and what waits for the end
// runs once, when the outermost one has unwound.
TEST(CommandRouterTest, TheBusyStateCancelsTheRunningOperationAndTellsWhenItHasUnwound) {
    CBusyState busy;
    std::vector<std::string> log;
    EXPECT_FALSE(busy.CancelRunning());
    {
        const CBusyState::Scope open(busy, [&log] { log.push_back("cancel open"); });
        {
            const CBusyState::Scope save(busy, [&log] { log.push_back("cancel save"); });
            EXPECT_TRUE(busy.CancelRunning());
            busy.WhenIdle([&log] { log.push_back("idle"); });
        }
        EXPECT_TRUE(busy.IsBusy());
        EXPECT_TRUE(busy.CancelRunning());
    }
    EXPECT_FALSE(busy.IsBusy());
    busy.WhenIdle([&log] { log.push_back("at once"); });
    EXPECT_EQ(log, (std::vector<std::string>{"cancel save", "cancel open", "idle", "at once"}));
}
