// Benchmark: a worker writes 100,000 lines of 20 characters through the screen channel while
// the GUI thread keeps redrawing from the pending region; reports the time until the last
// line is on the screen, the longest pause of the event loop, and how soon a stop is seen.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "app/app.h"
#include "console/console_ids.h"
#include "console/defoutput_wx.h"
#include "console/output_display.h"
#include "console/screen.h"
#include "console/screen_panel.h"

wxIMPLEMENT_APP_NO_MAIN(App);

namespace {

using Clock = std::chrono::steady_clock;
constexpr int LINES = 100000;
const char* const LINE = "abcdefghij0123456789";

double ms_since(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Measures the longest gap between ticks of a 10 ms timer: how long the GUI stayed deaf.
class Heartbeat : public wxTimer {
  public:
    double longest = 0;
    void Notify() override {
        const auto now = Clock::now();
        if (seen)
            longest =
                std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        seen = true;
    }

  private:
    Clock::time_point last;
    bool seen = false;
};

void pump_until(const std::atomic<bool>& flag) {
    while (!flag) {
        wxTheApp->Yield(true);
        wxMilliSleep(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new App);
    if (!wxEntryStart(argc, argv)) return 2;
    int status = 0;
    {
        auto* parent = new wxFrame(nullptr, wxID_ANY, "bench");
        auto* od = new OutputDisplay(parent, wxFont(wxFontInfo(11).Family(wxFONTFAMILY_TELETYPE)));
        od->StartExec(nullptr, parent, MODE_RUN);
        Heartbeat beat;
        beat.Start(10);

        std::atomic<bool> done{false};
        const auto start = Clock::now();
        std::thread worker([&] {
            ZQ_DefOutput_WX out(nullptr, od);
            for (int i = 0; i < LINES; ++i) {
                out.imprimir_str(LINE);
                out.imprimir_str("\n");
            }
            done = true;
        });
        pump_until(done);
        worker.join();
        wxQueueEvent(od, new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_REDISPLAY));
        wxTheApp->Yield(true);
        od->screen_panel()->Update();
        const double total = ms_since(start);
        const bool shown = od->screen()->row_text(23) == LINE;
        std::printf("console: %d lines of 20 characters on the screen in %.0f ms (limit 2000)%s\n",
                    LINES, total, shown ? "" : " - LAST LINE MISSING");
        std::printf("console: longest pause of the window while printing: %.0f ms\n", beat.longest);

        // A stop while printing: the worker checks the flag before every line, as the machine
        // does before every instruction.
        std::atomic<bool> stopped{false};
        std::atomic<bool> halfway{false};
        Clock::time_point stop_at;
        std::thread endless([&] {
            ZQ_DefOutput_WX out(nullptr, od);
            for (int i = 0; !od->stop_requested(); ++i) {
                out.imprimir_str(LINE);
                out.imprimir_str("\n");
                if (i == LINES / 2) halfway = true;
            }
            stopped = true;
        });
        pump_until(halfway);
        stop_at = Clock::now();
        od->matar_proceso();
        pump_until(stopped);
        endless.join();
        std::printf("console: stop seen by the printing worker after %.1f ms (limit 100)\n",
                    ms_since(stop_at));
        beat.Stop();
        od->EndExec(nullptr);
        status = shown ? 0 : 1;
        parent->Destroy();
        wxTheApp->Yield(true);
    }
    wxEntryCleanup();
    return status;
}
