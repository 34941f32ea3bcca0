#pragma once
// A controller's boot loader as the firmware upload meets it. "PROG" starts an update and is
// answered with the start message (the echoed head and "BOOT"); "NEXT" asks for the loader's
// message in hand: a busy message while it erases (Busy of them), then the request for the
// image, ImageSize bytes in pieces of Chunk in order, then for the file name, then its result.
// Every message is the head of the command (prefix, serial number low and high, FE) followed by
//   01 offset(3 bytes, low first) count   data request
//   02 00 00 00 00                         name request
//   80 00 00 00 00                         busy: ask again later
//   FF code 00 00 00                       result
// A data or name reply is the nine bytes of the request in hand followed by what it asked for;
// the loader answers it with its next message. After every SyncEvery-th data reply it answers
// with a synchronization instead: a frame with nothing in it, until "NEXT" asks again. A reply
// sent again (the exchange repeats a command whose answer it missed) gets the same answer
// again; any other reply ends the update with result 10 (sequence violated), one with another
// number of bytes than asked for with result 11 (integrity violated).
#include <cstdint>
#include <string>
#include <string_view>

struct TLoaderSettings {
  uint32_t ImageSize = 1024;  // firmware bytes the loader asks for, at most 0xFFFFFF
  uint8_t Chunk = 128;        // bytes per data request, 1 to 255
  uint8_t Result = 0;         // the code reported after the name
  int Busy = 0;               // busy messages before the first request
  int SyncEvery = 0;          // a synchronization after every N-th data reply; 0: none
  uint8_t StrayKind = 0;      // not 0: a message of this kind comes before the first request
  // The controller around the loader:
  bool Starts = true;      // false: the firmware ignores "PROG" and the loader never runs
  uint8_t NewAddress = 0;  // not 0: the network address the new firmware comes up with
  int RestartSilent = 0;   // commands the new firmware leaves unanswered while it starts
  bool Restarts = true;    // false: the loader stays and tells its result to every command
};

// Throws std::runtime_error naming the first setting out of range.
void CheckLoaderSettings(const TLoaderSettings& Settings);

struct TLoaderAnswer {
  enum class TKind { None, Message, Sync };
  TKind Kind = TKind::None;
  std::string Payload;  // of a message
};

class TSimBootLoader {
 public:
  explicit TSimBootLoader(TLoaderSettings Settings) : FSettings(Settings) {}

  TLoaderAnswer Prog(std::string_view Head);
  TLoaderAnswer Next(std::string_view Head);  // nothing while no update was started
  // A data or name reply: Command holds the nine bytes of the request and what follows them.
  TLoaderAnswer Reply(std::string_view Command);
  bool Finished() const { return FStep == TStep::stDone; }  // the result was told
  // The result message again, for a loader that stays after its update.
  TLoaderAnswer Result(std::string_view Head) const;

  // The image bytes of every data reply taken, in order: what the update wrote.
  const std::string& Image() const { return FImage; }
  const std::string& FileName() const { return FFileName; }

 private:
  enum class TStep { stWaiting, stStarted, stData, stName, stDone };

  std::string Request(std::string_view Head) const;
  TLoaderAnswer Message(std::string Payload) const;
  TLoaderAnswer InHand(std::string_view Head) const;
  TLoaderAnswer End(std::string_view Head, uint8_t Code);

  TLoaderSettings FSettings;
  TStep FStep = TStep::stWaiting;
  int FBusyLeft = 0;
  bool FStrayDue = false;
  bool FSyncing = false;
  int FReplies = 0;
  uint8_t FCode = 0;
  std::string FLastReply;  // the reply taken last, known again when it is repeated
  std::string FImage;
  std::string FFileName;
};
