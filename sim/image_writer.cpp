#include "sim/image_writer.h"

#include <fstream>
#include <stdexcept>

namespace {

void Put16(std::string& Out, uint16_t V) {
  Out += char(V & 0xFF);
  Out += char(V >> 8);
}

void Put32(std::string& Out, uint32_t V) {
  for (int Shift = 0; Shift < 32; Shift += 8) Out += char((V >> Shift) & 0xFF);
}

}  // namespace

std::string SampleFirmware(size_t Size) {
  std::string Bytes(Size, '\0');
  uint32_t State = 0x2545F491;
  for (char& C : Bytes) {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    C = char(State >> 24);
  }
  return Bytes;
}

std::string ImageOf(const TImagePlan& Plan) {
  std::string Image = Plan.Firmware;
  Put32(Image, Plan.Length.value_or(uint32_t(Plan.Firmware.size() + 4)));
  return Image;
}

std::string ImageFileBytes(const TImagePlan& Plan) {
  std::string Description;
  Put32(Description, uint32_t(Plan.Type) | uint32_t(Plan.VersionMajor) << 8 |
                         uint32_t(Plan.VersionMinor) << 16 | uint32_t(Plan.Unused) << 24);
  Put32(Description, Plan.Skipped);
  for (const auto& [First, Last] : Plan.Ranges) {
    Put16(Description, First);
    Put16(Description, Last);
  }
  for (const std::string& Line : Plan.Lines) {
    if (Line.size() > 0xFFFF) throw std::runtime_error("a text line holds at most 65535 bytes");
    Put16(Description, uint16_t(Line.size()));
    Description += Line;
  }
  Description += Plan.Tail;
  Put32(Description, Plan.DescriptionLength.value_or(uint32_t(Description.size() + 4)));
  return Plan.Leading + Description + ImageOf(Plan);
}

void WriteImageFile(const std::string& Path, const TImagePlan& Plan) {
  const std::string Bytes = ImageFileBytes(Plan);
  std::ofstream File(Path, std::ios::binary | std::ios::trunc);
  if (!File.write(Bytes.data(), std::streamsize(Bytes.size())) || !File.flush())
    throw std::runtime_error("cannot write the image file " + Path);
}
