#pragma once
// The readable text form of a component image, converted both ways:
//
//   object fmMain: TfmMain
//     Caption = 'Q8M update V1.8'#13#10
//     Font.Name = 'Tahoma'
//     Anchors = [akLeft, akTop]
//     Items.Strings = (
//       'a'
//       'b')
//     Data = {
//       0A0B0C}
//     Coll = <
//       item
//         Name = 'x'
//       end>
//     object btnX: TButton
//     end
//   end
//
// The text is UTF-8. Strings are quoted with '' for a quote; characters outside printable ASCII
// are written as #nnn (decimal UTF-16 code unit); reading also takes UTF-8 inside quotes and
// pieces joined with '+'. Binary -> text -> binary gives back the same bytes for every image
// the component writer makes.
#include "core/exceptions.h"

class TStream;

class EParserError : public Exception {
 public:
  using Exception::Exception;
};

// The image at In's position as text at Out's position; bad data raises EReadError.
void ObjectBinaryToText(TStream& In, TStream& Out);
// The text from In's position to its end as one image at Out's position; bad text raises
// EParserError "Line %d: ...". Nothing is written to Out then.
void ObjectTextToBinary(TStream& In, TStream& Out);
