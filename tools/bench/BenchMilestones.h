#pragma once

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

// How far a benchmark program got, and when, for startup.sh's breakdown.
// startup.sh sets KELDWICK_BENCH_STARTED to the shell's $EPOCHREALTIME just
// before it replaces itself with the program, so times count from the start
// of the process, as hyperfine's do; without it nothing is noted or printed,
// and the timed runs do nothing more than read it. Used on one thread.
class BenchMilestones {
  public:
    enum Milestone { Loaded, Shown, Results, Ended, kCount };

    BenchMilestones() : m_started(startedAt(std::getenv("KELDWICK_BENCH_STARTED"))) {}

    void reach(Milestone milestone) {
        if (m_started) {
            m_reached[milestone] = std::chrono::system_clock::now() - *m_started;
        }
    }

    // One line on standard output: the name, then milliseconds from the start
    // for loaded, shown, results and ended, "-" for one never reached.
    void print(const char* name) const {
        if (!m_started) {
            return;
        }
        std::printf("milestones %s", name);
        for (const auto& reached : m_reached) {
            if (reached) {
                std::printf(" %.3f", std::chrono::duration<double, std::milli>(*reached).count());
            } else {
                std::printf(" -");
            }
        }
        std::printf("\n");
        std::fflush(stdout);
    }

  private:
    using Clock = std::chrono::system_clock;

    // Seconds since the epoch with a fraction, whichever mark the shell's
    // locale puts before it; read before any toolkit changes the locale.
    static std::optional<Clock::time_point> startedAt(const char* text) {
        if (text == nullptr || *text == '\0') {
            return std::nullopt;
        }
        std::string_view rest(text);
        long long seconds = 0;
        long long micro = 0;
        int fractionDigits = -1;
        for (const char c : rest) {
            if (c >= '0' && c <= '9') {
                if (fractionDigits < 0) {
                    seconds = seconds * 10 + (c - '0');
                } else if (fractionDigits < 6) {
                    micro = micro * 10 + (c - '0');
                    ++fractionDigits;
                }
            } else if ((c == '.' || c == ',') && fractionDigits < 0) {
                fractionDigits = 0;
            } else {
                return std::nullopt;
            }
        }
        for (; fractionDigits >= 0 && fractionDigits < 6; ++fractionDigits) {
            micro *= 10;
        }
        return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
            std::chrono::seconds(seconds) + std::chrono::microseconds(micro)));
    }

    std::optional<Clock::time_point> m_started;
    std::array<std::optional<Clock::duration>, kCount> m_reached{};
};
