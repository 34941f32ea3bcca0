#include "lang/switch/property_path.h"

#include "component/collection.h"
#include "component/component.h"
#include "lang/lang_types.h"
#include "lang/switch/prop_info_list.h"

namespace {

// The property that a middle segment names, given the rest of the path from that segment on:
// the text before the rest's first "[" when such a property exists, else the text before its
// first ".".
const TPropInfo* SegmentProperty(const TObject* Current, const String& Rest) {
  const TlcPropInfoList Props(Current, AllButEventKinds);
  const size_t Bracket = Rest.find(u'[');
  if (Bracket != String::npos)
    if (const TPropInfo* P = Props.Find(Rest.substr(0, Bracket))) return P;
  return Props.Find(Rest.substr(0, Rest.find(u'.')));
}

// The integer between the rest's first "[" and its first "]"; text that is no integer (none at
// all included) raises EConvertError.
int SegmentIndex(const String& Rest) {
  const size_t Open = Rest.find(u'['), Close = Rest.find(u']');
  const String Text = Open == String::npos || Close == String::npos || Close < Open
                          ? String()
                          : Rest.substr(Open + 1, Close - Open - 1);
  return StrToInt(Text);
}

}  // namespace

TObject* ObjectByPath(const TComponent* Form, const String& Path) {
  const size_t FirstDot = Path.find(u'.');
  if (!Form || FirstDot == String::npos) return nullptr;
  TObject* Current = Path.starts_with(Form->ClassName() + u".")
                         ? const_cast<TComponent*>(Form)
                         : Form->FindComponent(Path.substr(0, FirstDot));
  if (!Current) return nullptr;
  const size_t LastDot = Path.rfind(u'.');
  for (size_t Start = FirstDot + 1; Start <= LastDot;) {
    const size_t End = Path.find(u'.', Start);  // at most LastDot
    const String Rest = Path.substr(Start);
    const TPropInfo* P = SegmentProperty(Current, Rest);
    Current = P && P->PropType->Kind == tkClass && P->GetObj ? P->GetObj(*Current) : nullptr;
    if (auto* Coll = dynamic_cast<TCollection*>(Current)) Current = Coll->Items(SegmentIndex(Rest));
    Start = End + 1;
  }
  return Current;
}

String PathPropertyName(const String& Path) {
  const size_t LastDot = Path.rfind(u'.');
  return LastDot == String::npos ? Path : Path.substr(LastDot + 1);
}

const TPropInfo* PathProperty(const TObject* Object, const String& Path) {
  if (!Object) return nullptr;
  return TlcPropInfoList(Object, AllButEventKinds).Find(PathPropertyName(Path));
}
