#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/CommandRouter.h"

namespace {

constexpr int kId = 40001;

// One level of the chain, with what its table holds for kId.
struct Level {
    bool handles = false;        // has a command handler
    std::optional<bool> update;  // has an update handler that enables (true) or disables
    std::optional<bool> check;   // the update handler also sets the check mark
};

class TestTarget : public CCmdTarget {
public:
    TestTarget(std::string name, const Level& level, std::vector<std::string>* log) {
        if (level.handles) {
            OnCommand(kId, [log, name] { log->push_back(name); });
        }
        if (level.update) {
            OnUpdateCommand(kId, [level](CCmdUI& ui) {
                ui.Enable(*level.update);
                if (level.check) {
                    ui.SetCheck(*level.check);
                }
            });
        }
    }
};

Level Runs() {
    Level l;
    l.handles = true;
    return l;
}
Level Updates(bool enable) {
    Level l;
    l.update = enable;
    return l;
}
Level RunsAndUpdates(bool enable) {
    Level l = Updates(enable);
    l.handles = true;
    return l;
}

const char* const kNames[] = {"view", "document", "child frame", "main frame", "application"};

struct Case {
    const char* what;
    Level levels[5];   // view, document, child frame, main frame, application
    const char* runs;  // who runs the command, or "" for nobody
    bool enabled;
};

const Case kCases[] = {
    {"only the application handles it", {{}, {}, {}, {}, Runs()}, "application", true},
    {"handled at two levels: the first runs it", {Runs(), {}, {}, Runs(), {}}, "view", true},
    {"the document before the main frame", {{}, Runs(), {}, Runs(), Runs()}, "document", true},
    {"nobody handles it: disabled", {{}, {}, {}, {}, {}}, "", false},
    {"the handler's own update disables it",
     {{}, RunsAndUpdates(false), {}, {}, Runs()},
     "",
     false},
    {"the first update handler decides, even above the handler",
     {Updates(false), {}, {}, RunsAndUpdates(true), {}},
     "",
     false},
    {"an update handler below the handler still decides",
     {{}, Runs(), {}, {}, Updates(false)},
     "",
     false},
    {"an update handler enables what another level runs",
     {{}, Updates(true), {}, Runs(), {}},
     "main frame",
     true},
    {"enabled by an update handler but run by nobody", {{}, {}, Updates(true), {}, {}}, "", true},
};

}  // namespace

TEST(CommandRouter, RoutesAlongTheChainAndAsksTheSameOrderForTheState) {
    for (const Case& c : kCases) {
        std::vector<std::string> log;
        std::vector<std::unique_ptr<TestTarget>> targets;
        for (int i = 0; i < 5; ++i) {
            targets.push_back(std::make_unique<TestTarget>(kNames[i], c.levels[i], &log));
        }
        CCommandRouter router;
        router.SetIdleUpdates(false);
        router.SetChain([&targets] {
            std::vector<const CCmdTarget*> chain;
            for (auto& t : targets) {
                chain.push_back(t.get());
            }
            return chain;
        });
        QAction* action = router.Command(kId, QStringLiteral("Test"));

        EXPECT_EQ(router.Query(kId).IsEnabled(), c.enabled) << c.what;
        router.UpdateAll();
        EXPECT_EQ(action->isEnabled(), c.enabled) << c.what;

        const bool ran = router.Execute(kId);
        EXPECT_EQ(ran, *c.runs != '\0') << c.what;
        const std::vector<std::string> expected =
            *c.runs ? std::vector<std::string>{c.runs} : std::vector<std::string>{};
        EXPECT_EQ(log, expected) << c.what << ": only the first handler runs, once";
    }
}

TEST(CommandRouter, ActionsRunThroughTheRouterAndShowTheCheckMark) {
    std::vector<std::string> log;
    bool checked = true;
    struct Target : CCmdTarget {
        Target(std::vector<std::string>* log, bool* checked) {
            OnCommand(
                kId, [log] { log->push_back("ran"); },
                [checked](CCmdUI& ui) { ui.SetCheck(*checked); });
        }
    } target(&log, &checked);
    CCommandRouter router;
    router.SetIdleUpdates(false);
    router.SetChain([&target] { return std::vector<const CCmdTarget*>{nullptr, &target}; });
    QAction* action = router.Command(kId, QStringLiteral("&Grid"));
    ASSERT_EQ(router.Command(kId), action) << "one action per command";

    router.UpdateAll();
    EXPECT_TRUE(action->isCheckable());
    EXPECT_TRUE(action->isChecked());

    checked = false;
    action->trigger();
    EXPECT_EQ(log, std::vector<std::string>{"ran"});
    EXPECT_FALSE(action->isChecked()) << "the state is refreshed after the command ran";
}

TEST(CommandRouter, WithoutAChainEverythingIsDisabled) {
    CCommandRouter router;
    router.SetIdleUpdates(false);
    QAction* action = router.Command(kId, QStringLiteral("Test"));
    router.UpdateAll();
    EXPECT_FALSE(action->isEnabled());
    EXPECT_FALSE(router.Execute(kId));
}
