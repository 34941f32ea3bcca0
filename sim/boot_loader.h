#pragma once
// A controller's boot loader as the firmware upload meets it. "PROG" starts an update and is
// answered with the start message (the echoed head and "BOOT"); "NEXT" brings the first request,
// or the request in hand again; then the loader asks for the image in order, ImageSize bytes in
// pieces of Chunk, then for the file name, and ends with its result code. Every message is the
// head of the command (prefix, serial number low and high, FE) followed by
//   01 offset(3 bytes, low first) count   data request
//   02 00 00 00 00                         name request
//   FF code 00 00 00                       result
// A data reply that does not repeat the request in hand gets result 10 (sequence violated), one
// with another number of bytes result 11 (integrity violated).
#include <cstdint>
#include <string>
#include <string_view>

struct TLoaderSettings {
  uint32_t ImageSize = 1024;  // firmware bytes the loader asks for, at most 0xFFFFFF
  uint8_t Chunk = 128;        // bytes per data request, 1 to 255
  uint8_t Result = 0;         // the code reported after the name
};

class TSimBootLoader {
 public:
  explicit TSimBootLoader(TLoaderSettings Settings) : FSettings(Settings) {}

  std::string Prog(std::string_view Head);
  std::string Next(std::string_view Head);  // empty while no update was started
  // A data or name reply: Command holds the nine bytes of the request and what follows them.
  std::string Reply(std::string_view Command);
  bool Finished() const { return FStep == TStep::stDone; }  // the result was sent

  const std::string& Image() const { return FImage; }  // the bytes the update delivered
  const std::string& FileName() const { return FFileName; }

 private:
  enum class TStep { stWaiting, stStarted, stData, stName, stDone };

  std::string Message(std::string_view Head) const;
  std::string Result(std::string_view Head, uint8_t Code);

  TLoaderSettings FSettings;
  TStep FStep = TStep::stWaiting;
  std::string FImage;
  std::string FFileName;
};
