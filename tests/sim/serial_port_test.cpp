#include "os/serial_port.h"

#include <gtest/gtest.h>

#include <future>

#include "sim/pty.h"
#include "sim/sim_bus.h"
#include "sim_port.h"

using Clock = std::chrono::steady_clock;

TEST(SerialPort, OpensWithoutSharingAndClosesOnce) {
  TSimBus Bus;
  const String Path = FromUtf8(Bus.SlavePath());
  TSerialPort First;
  ASSERT_TRUE(First.Open(Path)) << ToUtf8(First.LastError());
  TSerialPort Second;
  EXPECT_FALSE(Second.Open(Path));
  EXPECT_NE(Second.LastError().find(u"in use"), String::npos);

  TSerialPort Moved(std::move(First));
  EXPECT_FALSE(First.IsOpen());
  EXPECT_TRUE(Moved.IsOpen());
  EXPECT_FALSE(Second.Open(Path));
  Moved.Close();
  Moved.Close();
  EXPECT_FALSE(Moved.IsOpen());
  {
    TSerialPort Scoped;
    EXPECT_TRUE(Scoped.Open(Path));
  }
  EXPECT_TRUE(Second.Open(Path)) << ToUtf8(Second.LastError());
  uint32_t Count = 0;
  EXPECT_FALSE(First.QueuedBytes(Count));
  EXPECT_FALSE(First.Write("x"));
  EXPECT_FALSE(First.SetMask(EV_RXCHAR));
}

TEST(SerialPort, AnySpeedReachesTheLine) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200);
  ASSERT_TRUE(Port.IsOpen());
  for (uint32_t Baud : {19200u, 57600u, 230400u, 256000u, 12345u}) {
    ASSERT_TRUE(Port.SetState({Baud, char(0xC0)})) << Baud << " " << ToUtf8(Port.LastError());
    EXPECT_EQ(Bus.LineSpeed(), Baud);
  }
  EXPECT_FALSE(Port.SetState({0, 0}));
  EXPECT_EQ(Bus.LineSpeed(), 12345u);
}

TEST(SerialPort, ReadsReturnAtOnceWithWhatHasArrived) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200);
  RawBytes Data = "stale";
  EXPECT_TRUE(Port.Read(Data, 100));
  EXPECT_EQ(Data, "");

  ASSERT_TRUE(Bus.Send("abcdef"));
  ASSERT_EQ(WaitQueued(Port, 6), 6u);
  EXPECT_TRUE(Port.Read(Data, 4));
  EXPECT_EQ(Data, "abcd");
  uint32_t Count = 0;
  EXPECT_TRUE(Port.QueuedBytes(Count));
  EXPECT_EQ(Count, 2u);
  EXPECT_TRUE(Port.Read(Data, 100));
  EXPECT_EQ(Data, "ef");
  EXPECT_TRUE(Port.Read(Data, 100));
  EXPECT_EQ(Data, "");
}

TEST(SerialPort, EventCharacterWaitKeepsEveryByte) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200, char(0xF5));
  uint32_t Events = 0;
  EXPECT_EQ(Port.WaitEvent(Events, 10), TWaitResult::wrFailed);  // nothing in the mask

  ASSERT_TRUE(Port.SetMask(EV_RXFLAG));
  ASSERT_TRUE(Bus.Send("\xFA\x01\x02"));
  EXPECT_EQ(Port.WaitEvent(Events, 150), TWaitResult::wrTimeout);
  EXPECT_EQ(Events, 0u);
  EXPECT_EQ(WaitQueued(Port, 3), 3u);

  ASSERT_TRUE(Bus.Send("\x03\xF5"));
  EXPECT_EQ(Port.WaitEvent(Events, 3000), TWaitResult::wrSignaled);
  EXPECT_EQ(Events, EV_RXFLAG);
  uint32_t Count = 0;
  EXPECT_TRUE(Port.QueuedBytes(Count));
  EXPECT_EQ(Count, 5u);
  RawBytes Data;
  EXPECT_TRUE(Port.Read(Data, Count));
  EXPECT_EQ(Data, "\xFA\x01\x02\x03\xF5");

  // An end byte that came before the wait, not yet looked at, still ends it; once looked at,
  // it does not end another.
  ASSERT_TRUE(Bus.Send("\x07\xF5"));
  ASSERT_TRUE(Bus.WaitUntilQueued(2, std::chrono::seconds(3)));
  EXPECT_EQ(Port.WaitEvent(Events, 3000), TWaitResult::wrSignaled);
  EXPECT_EQ(Port.WaitEvent(Events, 100), TWaitResult::wrTimeout);

  ASSERT_TRUE(Port.SetMask(EV_RXCHAR));
  ASSERT_TRUE(Bus.Send("q"));
  EXPECT_EQ(Port.WaitEvent(Events, 3000), TWaitResult::wrSignaled);
  EXPECT_EQ(Events, EV_RXCHAR);
  EXPECT_EQ(WaitQueued(Port, 3), 3u);
  EXPECT_TRUE(Port.Read(Data, 10));
  EXPECT_EQ(Data, "\x07\xF5q");
}

TEST(SerialPort, PurgeDropsQueuedAndWatchedBytes) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200, 'x');
  ASSERT_TRUE(Port.SetMask(EV_RXCHAR));
  ASSERT_TRUE(Bus.Send("abc"));
  uint32_t Events = 0;
  ASSERT_EQ(Port.WaitEvent(Events, 3000), TWaitResult::wrSignaled);  // taken into the port
  ASSERT_TRUE(Bus.Send("def"));
  ASSERT_TRUE(Bus.WaitUntilQueued(3, std::chrono::seconds(3)));
  EXPECT_TRUE(Port.Purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
  uint32_t Count = 99;
  EXPECT_TRUE(Port.QueuedBytes(Count));
  EXPECT_EQ(Count, 0u);
  RawBytes Data;
  EXPECT_TRUE(Port.Read(Data, 10));
  EXPECT_EQ(Data, "");

  EXPECT_TRUE(Port.Write("\xC8\x0D\xC8\x0D"));
  EXPECT_TRUE(WaitUntilHeard(Bus, 4));
  EXPECT_EQ(Bus.Received(), "\xC8\x0D\xC8\x0D");
}

TEST(SerialPort, AWriteTheLineDoesNotTakeFails) {
  TPty Line;  // nobody reads the far end
  TSerialPort Port;
  ASSERT_TRUE(Port.Open(FromUtf8(Line.SlavePath())));
  ASSERT_TRUE(Port.SetState({4000000, 0}));
  EXPECT_FALSE(Port.Write(RawBytes(1 << 18, 'x')));
  EXPECT_FALSE(Port.Gone());
  EXPECT_TRUE(Port.Write(""));
}

TEST(SerialPort, VanishedLineFailsEveryCall) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200, char(0xF5));
  ASSERT_TRUE(Port.SetMask(EV_RXFLAG));

  // The line goes while the wait runs, or just before it begins: either way the wait fails at
  // once instead of timing out.
  std::promise<void> Started;
  auto Waiting = std::async(std::launch::async, [&Port, &Started] {
    uint32_t Events = 0;
    Started.set_value();
    return Port.WaitEvent(Events, 20000);
  });
  Started.get_future().wait();
  Bus.HangUp();
  EXPECT_EQ(Waiting.get(), TWaitResult::wrFailed);
  EXPECT_TRUE(Port.Gone());
  EXPECT_FALSE(Port.LastError().empty());

  RawBytes Data;
  uint32_t Count = 0;
  uint32_t Events = 0;
  EXPECT_FALSE(Port.Read(Data, 10));
  EXPECT_FALSE(Port.QueuedBytes(Count));
  EXPECT_FALSE(Port.Purge(PURGE_RXCLEAR));
  EXPECT_FALSE(Port.Write("x"));
  EXPECT_FALSE(Port.SetMask(EV_RXCHAR));
  EXPECT_EQ(Port.WaitEvent(Events, 20000), TWaitResult::wrFailed);
  EXPECT_FALSE(Port.SetState({19200, 0}));
  Port.Close();
  EXPECT_FALSE(Port.IsOpen());
}

TEST(SerialPort, AHangUpIsSeenByTheQueueCountToo) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 230400);
  Bus.HangUp();
  uint32_t Count = 0;
  EXPECT_FALSE(Port.QueuedBytes(Count));
  EXPECT_TRUE(Port.Gone());
  // Opening again starts afresh.
  TSimBus Other;
  EXPECT_TRUE(Port.Open(FromUtf8(Other.SlavePath())));
  EXPECT_FALSE(Port.Gone());
}
