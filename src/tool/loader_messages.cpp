#include "tool/loader_messages.h"

#include "tool/commands.h"
#include "tool/exchange.h"

TLoaderMessage DecodeLoaderMessage(const RawBytes& A, const AnsiString& Boot) {
  TLoaderMessage M;
  if (A.empty()) {
    M.Kind = TLoaderKind::lkSync;
  } else if (IsNoAnswer(A)) {
    M.Kind = TLoaderKind::lkSilent;
  } else if (A.size() == 8 && A.compare(4, std::string::npos, Boot) == 0) {
    M.Kind = TLoaderKind::lkStart;
  } else if (A.size() >= 5) {
    const uint8_t Kind = AnswerByte(A, 4);
    const bool Whole = A.size() >= LoaderRequestSize;
    if (Kind == 0x01 && Whole) {
      M.Kind = TLoaderKind::lkData;
      M.Offset = AnswerByte(A, 5) | AnswerByte(A, 6) << 8 | AnswerByte(A, 7) << 16;
      M.Count = AnswerByte(A, 8);
    } else if (Kind == 0x02 && Whole) {
      M.Kind = TLoaderKind::lkName;
    } else if (Kind == 0x80) {
      M.Kind = TLoaderKind::lkBusy;
    } else if (Kind == 0xFF && A.size() >= 6) {
      M.Kind = TLoaderKind::lkResult;
      M.Code = AnswerByte(A, 5);
    }
  }
  return M;
}
