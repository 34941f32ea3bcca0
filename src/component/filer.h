#pragma once
// What a persistent object sees of the stream while it declares its extra stored data.
#include <functional>

#include "core/ustring.h"

class TPersistent;
class TStream;
class TReader;
class TWriter;

class TFiler {
 public:
  virtual ~TFiler() = default;
  // The ancestor instance whose values this object inherits (inherited forms); null otherwise.
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* A) { FAncestor = A; }

  // A property stored through the reader's and writer's own value calls.
  virtual void DefineProperty(const String& Name, const std::function<void(TReader&)>& ReadData,
                              const std::function<void(TWriter&)>& WriteData, bool HasData) = 0;
  // A binary property: tag 10, a 32-bit little-endian byte count, the payload. The reader gets a
  // stream at position 0 that holds exactly the payload.
  virtual void DefineBinaryProperty(const String& Name,
                                    const std::function<void(TStream&)>& ReadData,
                                    const std::function<void(TStream&)>& WriteData,
                                    bool HasData) = 0;

 private:
  TPersistent* FAncestor = nullptr;
};
