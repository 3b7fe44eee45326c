// The keyboard queues, the countdown's number format, the pass-rate schedule, the clock and
// the presentation modes.
#include "console/console.h"

#include <gtest/gtest.h>

#include "console/key_queues.h"
#include "console/number_format.h"
#include "console/rate_limiter.h"
#include "support/headless_backend.h"

namespace ashwicket {
namespace {

TEST(KeyQueues, CharacterQueueKeepsFifteenAndLosesLaterKeys) {
  KeyQueues queues;
  for (char ch = 'a'; ch < 'a' + 20; ++ch)
    queues.Press(KeyPress::Character(static_cast<std::uint8_t>(ch)));
  std::string taken;
  for (std::string key; !(key = queues.PollCharacter()).empty();) taken += key;
  EXPECT_EQ(taken, "abcdefghijklmno");
  EXPECT_EQ(queues.WaitingEvents(), 20u);  // the events were all kept
}

TEST(KeyQueues, EventQueueDropsTheOldestWhenFull) {
  KeyQueues queues;
  for (int i = 1; i <= 8193; ++i) queues.Release(i);
  EXPECT_EQ(queues.WaitingEvents(), kEventQueueCapacity);
  EXPECT_EQ(queues.PollEvent(), -3);
}

TEST(KeyQueues, QueuesAreIndependentAndReportPressesAndReleases) {
  KeyQueues queues;
  queues.Press(KeyPress::Character('q'));
  queues.Release('q');
  queues.Press(KeyPress::Special(SpecialKey::Up));
  EXPECT_EQ(queues.PollEvent(), 'q');
  EXPECT_EQ(queues.PollCharacter(), "q");  // taking the event left the character waiting
  EXPECT_EQ(queues.PollEvent(), -'q');
  EXPECT_EQ(queues.PollCharacter(), std::string({'\0', '\x48'}));
  EXPECT_GE(queues.PollEvent(), 256);
  EXPECT_EQ(queues.PollEvent(), 0);
  EXPECT_EQ(queues.PollCharacter(), "");
}

TEST(NumberFormat, Table) {
  struct Case {
    double whole, fraction;
    const char* text;
  } cases[] = {
      {29, 59.967, "  29:59.967"}, {1, 5.25, "   1: 5.250"},   {0, 0.4, "   0: 0.400"},
      {0, 1.0625, "   0: 1.063"},  {0, 1.0615, "   0: 1.062"}, {12, 9.9994, "  12: 9.999"},
      {0, 0.0, "   0: 0.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatCountdown(c.whole, c.fraction), c.text) << c.text;
  EXPECT_EQ(FormatCountdown(29, 59.967f), "  29:59.967");  // as the single-precision seconds arrive
}

TEST(RateLimiter, KeepsAnAbsoluteScheduleAndRestartsWhenFarBehind) {
  RateLimiter limiter;
  const double p = RateLimiter::kPeriod_s;
  EXPECT_NEAR(limiter.DelayBeforePass(10.0), p, 1e-9);  // a new schedule: one period on
  EXPECT_NEAR(limiter.DelayBeforePass(10.0 + p + 0.010), p - 0.010, 1e-9);  // work doesn't drift it
  EXPECT_NEAR(limiter.DelayBeforePass(10.0 + 3 * p + 0.020), 0.0, 1e-9);    // 20 ms late: catch up
  EXPECT_NEAR(limiter.DelayBeforePass(10.0 + 4 * p), 0.0, 1e-9);
  EXPECT_NEAR(limiter.DelayBeforePass(10.0 + 4 * p + 0.001), p - 0.001, 1e-9);
  // 40 ms behind the schedule: start again from now.
  const double late = 10.0 + 6 * p + 0.040;
  EXPECT_NEAR(limiter.DelayBeforePass(late), p, 1e-9);
  EXPECT_NEAR(limiter.DelayBeforePass(late + p), p, 1e-9);
}

TEST(Console, ClockCountsOnPastMidnightInMilliseconds) {
  testing::HeadlessBackend backend(86399.5);
  Console console(backend);
  EXPECT_DOUBLE_EQ(console.ReadClock(), 86399.5);
  backend.Sleep(1.0004);
  EXPECT_DOUBLE_EQ(console.ReadClock(), 86400.5);
  backend.Sleep(3600);
  EXPECT_DOUBLE_EQ(console.ReadClock(), 90000.5);
}

TEST(Console, AutomaticPresentationShowsBeforeWaitingAndManualOnlyOnPresent) {
  testing::HeadlessBackend backend;
  Console console(backend);
  console.Print("auto");
  EXPECT_EQ(backend.FramesShown(), 0);
  console.Sleep(0.01);
  EXPECT_EQ(backend.FramesShown(), 1);
  console.Sleep(0.01);  // nothing changed: nothing to send
  EXPECT_EQ(backend.FramesShown(), 1);

  console.Present();
  EXPECT_FALSE(console.AutoPresent());
  console.Print(" hidden");
  console.Sleep(0.01);
  EXPECT_EQ(backend.FramesShown(), 2);
  EXPECT_EQ(backend.LastShown().RowText(1).substr(0, 5), "auto ");

  console.ResumeAutoPresent();
  console.Sleep(0.01);
  EXPECT_EQ(backend.FramesShown(), 3);
  EXPECT_EQ(backend.LastShown().RowText(1).substr(0, 11), "auto hidden");
}

}  // namespace
}  // namespace ashwicket
