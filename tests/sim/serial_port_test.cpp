#include "os/serial_port.h"

#include <gtest/gtest.h>

#include <future>

#include "sim/sim_bus.h"
#include "sim_port.h"

using Clock = std::chrono::steady_clock;

TEST(SerialPort, OpensWithoutSharingAndClosesOnce) {
  TSimBus Bus;
  const String Path = FromUtf8(Bus.SlavePath());
  TSerialPort First;
  ASSERT_TRUE(First.Open(Path, true)) << ToUtf8(First.LastError());
  TSerialPort Second;
  EXPECT_FALSE(Second.Open(Path, false));
  EXPECT_NE(Second.LastError().find(u"in use"), String::npos);

  TSerialPort Moved(std::move(First));
  EXPECT_FALSE(First.IsOpen());
  EXPECT_TRUE(Moved.IsOpen());
  EXPECT_FALSE(Second.Open(Path, false));
  Moved.Close();
  Moved.Close();
  EXPECT_FALSE(Moved.IsOpen());
  {
    TSerialPort Scoped;
    EXPECT_TRUE(Scoped.Open(Path, false));
  }
  EXPECT_TRUE(Second.Open(Path, false)) << ToUtf8(Second.LastError());
  uint32_t Count = 0;
  EXPECT_FALSE(First.QueuedBytes(Count));
  EXPECT_FALSE(First.Write("x"));
}

TEST(SerialPort, AnySpeedReachesTheLineAndStateReadsBack) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200);
  ASSERT_TRUE(Port.IsOpen());
  for (uint32_t Baud : {19200u, 57600u, 230400u, 256000u, 12345u}) {
    TDCB Dcb;
    ASSERT_TRUE(Port.GetState(Dcb));
    Dcb.BaudRate = Baud;
    Dcb.EvtChar = char(0xC0);
    Dcb.ErrorChar = 0;
    Dcb.Flags = DCB_BINARY;
    ASSERT_TRUE(Port.SetState(Dcb)) << Baud << " " << ToUtf8(Port.LastError());
    EXPECT_EQ(Bus.LineSpeed(), Baud);
    TDCB Back;
    ASSERT_TRUE(Port.GetState(Back));
    EXPECT_EQ(Back.BaudRate, Baud);
    EXPECT_EQ(Back.ByteSize, 8);
    EXPECT_EQ(Back.Parity, NOPARITY);
    EXPECT_EQ(Back.StopBits, ONESTOPBIT);
    EXPECT_EQ(Back.Flags, DCB_BINARY);
    EXPECT_EQ(Back.EvtChar, char(0xC0));
  }
  TDCB Bad;
  Port.GetState(Bad);
  Bad.ByteSize = 9;
  EXPECT_FALSE(Port.SetState(Bad));
  Bad.ByteSize = 8;
  Bad.BaudRate = 0;
  EXPECT_FALSE(Port.SetState(Bad));
  Bad.BaudRate = 9600;
  Bad.StopBits = ONE5STOPBITS;
  EXPECT_FALSE(Port.SetState(Bad));
  EXPECT_EQ(Bus.LineSpeed(), 12345u);
}

TEST(SerialPort, ReadTimeoutsKeepTheirWindowsMeaning) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200);
  RawBytes Data = "stale";
  auto Start = Clock::now();
  EXPECT_TRUE(Port.Read(Data, 100));  // interval MAXDWORD, 0, 0: at once, with what is there
  EXPECT_EQ(Data, "");
  EXPECT_LT(ElapsedMs(Start), 200);

  ASSERT_TRUE(Bus.Send("abcdef"));
  ASSERT_EQ(WaitQueued(Port, 6), 6u);
  EXPECT_TRUE(Port.Read(Data, 4));
  EXPECT_EQ(Data, "abcd");
  EXPECT_TRUE(Port.Read(Data, 100));
  EXPECT_EQ(Data, "ef");

  // A total time-out ends a read that did not get all it asked for.
  Port.SetTimeouts({0, 0, 150, 0, 0});
  ASSERT_TRUE(Bus.Send("xy"));
  Start = Clock::now();
  EXPECT_TRUE(Port.Read(Data, 10));
  EXPECT_EQ(Data, "xy");
  EXPECT_GE(ElapsedMs(Start), 140);

  // Without any time-out a read waits for every byte it asked for.
  Port.SetTimeouts({0, 0, 0, 0, 0});
  ASSERT_TRUE(Bus.Send("123"));
  EXPECT_TRUE(Port.Read(Data, 3));
  EXPECT_EQ(Data, "123");

  // MAXDWORD, MAXDWORD, constant: the first bytes to come end the wait.
  Port.SetTimeouts({MAXDWORD, MAXDWORD, 5000, 0, 0});
  auto Later = std::async(std::launch::async, [&Bus] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Bus.Send("z");
  });
  Start = Clock::now();
  EXPECT_TRUE(Port.Read(Data, 10));
  EXPECT_EQ(Data, "z");
  EXPECT_LT(ElapsedMs(Start), 4000);
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

  // An end byte that came before the wait, unread, still ends it.
  ASSERT_TRUE(Bus.Send("\x07\xF5"));
  ASSERT_EQ(WaitQueued(Port, 2), 2u);
  const auto Start = Clock::now();
  EXPECT_EQ(Port.WaitEvent(Events, 3000), TWaitResult::wrSignaled);
  EXPECT_LT(ElapsedMs(Start), 1000);

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
  ASSERT_EQ(WaitQueued(Port, 6), 6u);
  EXPECT_TRUE(Port.Purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
  uint32_t Count = 99;
  EXPECT_TRUE(Port.QueuedBytes(Count));
  EXPECT_EQ(Count, 0u);
  RawBytes Data;
  EXPECT_TRUE(Port.Read(Data, 10));
  EXPECT_EQ(Data, "");
  uint32_t Errors = 99;
  EXPECT_TRUE(Port.ClearErrors(&Errors));
  EXPECT_EQ(Errors, 0u);

  EXPECT_TRUE(Port.Write("\xC8\x0D\xC8\x0D"));
  const auto Deadline = Clock::now() + std::chrono::seconds(3);
  while (Bus.Received().size() < 4 && Clock::now() < Deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(Bus.Received(), "\xC8\x0D\xC8\x0D");
}

TEST(SerialPort, VanishedLineFailsEveryCallQuickly) {
  TSimBus Bus;
  TSerialPort Port = OpenSimPort(Bus, 19200, char(0xF5));
  ASSERT_TRUE(Port.SetMask(EV_RXFLAG));
  ASSERT_TRUE(Port.SetTimeouts({0, 0, 0, 0, 0}));  // reads without any time-out

  const auto Start = Clock::now();
  auto Waiting = std::async(std::launch::async, [&Port] {
    uint32_t Events = 0;
    return Port.WaitEvent(Events, 20000);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  Bus.HangUp();
  EXPECT_EQ(Waiting.get(), TWaitResult::wrFailed);
  EXPECT_LT(ElapsedMs(Start), 5000);
  EXPECT_FALSE(Port.LastError().empty());

  RawBytes Data;
  uint32_t Count = 0;
  uint32_t Events = 0;
  EXPECT_FALSE(Port.Read(Data, 10));
  EXPECT_FALSE(Port.QueuedBytes(Count));
  EXPECT_FALSE(Port.ClearErrors());
  EXPECT_FALSE(Port.Purge(PURGE_RXCLEAR));
  EXPECT_FALSE(Port.Write("x"));
  EXPECT_EQ(Port.WaitEvent(Events, 20000), TWaitResult::wrFailed);
  TDCB Dcb;
  EXPECT_FALSE(Port.GetState(Dcb));
  EXPECT_LT(ElapsedMs(Start), 5000);
  Port.Close();
  EXPECT_FALSE(Port.IsOpen());
}
