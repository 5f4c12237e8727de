#include <windows.h>

#include <memory>
#include <thread>
#include <vector>

#include "check_support.h"
#include "checks.h"
#include "platform/win32/ui_dispatcher.h"

namespace fw::check {

void CheckDispatcher(CheckLog& log) {
    log.Section("dispatcher");
    const DWORD uiThread = ::GetCurrentThreadId();
    {
        win32::UiDispatcher dispatcher;
        std::vector<int> order;
        bool allOnUiThread = true;
        std::thread poster([&] {
            for (int n = 1; n <= 5; ++n) {
                dispatcher.Post([&, n] {
                    order.push_back(n);
                    allOnUiThread = allOnUiThread && ::GetCurrentThreadId() == uiThread;
                });
            }
        });
        poster.join();
        log.Expect(order.empty(), "posted work waits for the message loop");
        PumpUntil([&] { return order.size() == 5; }, 5000);
        log.Expect(order == std::vector<int>({1, 2, 3, 4, 5}), "work runs once each, in order");
        log.Expect(allOnUiThread, "work runs on the user-interface thread");

        std::string reported;
        bool afterRan = false;
        dispatcher.SetErrorReporter([&](const std::string& message) { reported = message; });
        dispatcher.Post([] { throw std::runtime_error("Bad process handle"); });
        dispatcher.Post([&] { afterRan = true; });
        PumpUntil([&] { return afterRan; }, 5000);
        log.ExpectEqual(reported, std::string("Bad process handle"),
                        "an escaping error goes to the reporter");
        log.Expect(afterRan, "work after a failed one still runs");
    }

    auto token = std::make_shared<int>(0);
    bool ran = false;
    {
        win32::UiDispatcher dispatcher;
        dispatcher.Post([token, &ran] { ran = true; });
        log.Expect(token.use_count() == 2, "waiting work holds what it captured");
    }
    PumpUntil([] { return false; }, 100);
    log.Expect(!ran, "work still waiting when the dispatcher goes never runs");
    log.Expect(token.use_count() == 1, "and is freed");
}

}  // namespace fw::check
