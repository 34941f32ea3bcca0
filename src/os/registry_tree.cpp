#include "os/registry_tree.h"

#include <utility>

#include "core/code_page.h"
#include "core/strings.h"

namespace {

bool HasControlChar(const String& S) {
  for (char16_t C : S)
    if (C < 0x20 || C == 0x7F) return true;
  return false;
}

String Quoted(const String& S) {
  String R = u"\"";
  for (char16_t C : S) {
    if (C == u'\\' || C == u'"') {
      R += u'\\';
      R += C;
    } else if (C == CR) {
      R += u"\\r";
    } else if (C == LF) {
      R += u"\\n";
    } else if (C < 0x20 || C == 0x7F) {
      R += u"\\x" + IntToHex(C, 2);
    } else {
      R += C;
    }
  }
  return R + u"\"";
}

int HexDigit(char16_t C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  return -1;
}

// Reads a quoted text starting at Line[I]; I ends after the closing quote.
bool Unquote(const String& Line, size_t& I, String& Out) {
  if (I >= Line.size() || Line[I] != u'"') return false;
  Out.clear();
  for (++I; I < Line.size(); ++I) {
    const char16_t C = Line[I];
    if (C == u'"') {
      ++I;
      return true;
    }
    if (C != u'\\') {
      Out += C;
      continue;
    }
    if (++I >= Line.size()) return false;
    switch (Line[I]) {
      case u'\\':
      case u'"':
        Out += Line[I];
        break;
      case u'r':
        Out += CR;
        break;
      case u'n':
        Out += LF;
        break;
      case u'x': {
        if (I + 2 >= Line.size()) return false;
        const int High = HexDigit(Line[I + 1]), Low = HexDigit(Line[I + 2]);
        if (High < 0 || Low < 0) return false;
        Out += static_cast<char16_t>(High * 16 + Low);
        I += 2;
        break;
      }
      default:
        return false;
    }
  }
  return false;
}

bool ParseValue(const String& Line, String& Name, TRegValue& Value) {
  size_t I = 0;
  if (!Unquote(Line, I, Name) || I >= Line.size() || Line[I++] != u'=') return false;
  const String Rest = Line.substr(I);
  if (Rest.starts_with(u"dword:")) {
    int64_t N;
    const String Digits = Rest.substr(6);
    if (Digits.empty() || Digits[0] <= u' ' || Digits.back() <= u' ' || Digits[0] == u'$' ||
        !TryStrToInt64(Digits, N) || N < INT32_MIN || N > INT32_MAX)
      return false;
    Value = {true, String(), static_cast<int32_t>(N)};
    return true;
  }
  Value.IsInteger = false;
  return Unquote(Line, I, Value.Text) && I == Line.size();
}

}  // namespace

bool TRegTree::NormalPath(const String& Path, String& Normal) {
  if (HasControlChar(Path)) return false;
  String& R = Normal;
  R.clear();
  size_t Start = 0;
  while (Start <= Path.size()) {
    size_t End = Path.find(u'\\', Start);
    if (End == String::npos) End = Path.size();
    if (End > Start) {
      if (!R.empty()) R += u'\\';
      R += Path.substr(Start, End - Start);
    }
    Start = End + 1;
  }
  return true;
}

bool TRegTree::KeyExists(const String& Path) const {
  return FindKey(Path) != nullptr;
}

TRegKeyData* TRegTree::FindKey(const String& Path) {
  return const_cast<TRegKeyData*>(std::as_const(*this).FindKey(Path));
}

const TRegKeyData* TRegTree::FindKey(const String& Path) const {
  String Normal;
  if (!NormalPath(Path, Normal)) return nullptr;
  const auto It = FKeys.find(Normal);
  return It == FKeys.end() ? nullptr : &It->second;
}

TRegKeyData& TRegTree::CreateKey(const String& Path) {
  String Normal;
  NormalPath(Path, Normal);
  size_t End = 0;
  TRegKeyData* Key = nullptr;
  do {
    End = Normal.find(u'\\', End + 1);
    const String Part = Normal.substr(0, End);
    Key = &FKeys[Part];
    if (Key->Path.empty()) Key->Path = Part;
  } while (End != String::npos);
  return *Key;
}

bool TRegTree::operator==(const TRegTree& Other) const {
  if (FKeys.size() != Other.FKeys.size()) return false;
  for (auto A = FKeys.begin(), B = Other.FKeys.begin(); A != FKeys.end(); ++A, ++B) {
    if (A->second.Path != B->second.Path || A->second.Values.size() != B->second.Values.size())
      return false;
    for (auto X = A->second.Values.begin(), Y = B->second.Values.begin();
         X != A->second.Values.end(); ++X, ++Y) {
      const TRegValue &V = X->second.second, &W = Y->second.second;
      if (X->second.first != Y->second.first || V.IsInteger != W.IsInteger || V.Text != W.Text ||
          V.Number != W.Number)
        return false;
    }
  }
  return true;
}

std::string TRegTree::Text() const {
  String R;
  for (const auto& [Folded, Key] : FKeys) {
    R += u"[" + Key.Path + u"]\n";
    for (const auto& [N, Named] : Key.Values) {
      R += Quoted(Named.first) + u"=";
      R += Named.second.IsInteger ? u"dword:" + IntToStr(Named.second.Number)
                                  : Quoted(Named.second.Text);
      R += u"\n";
    }
  }
  return Utf8Encode(R);
}

bool TRegTree::Parse(const std::string& Bytes, TRegTree& Tree, String& Error) {
  Tree = TRegTree();
  String Text = Utf8Decode(Bytes);
  if (Text.empty() && !Bytes.empty()) {
    Error = u"the text is not UTF-8";
    return false;
  }
  TStringList Lines;
  Lines.SetText(Text);
  TRegKeyData* Key = nullptr;
  for (int I = 0; I < Lines.Count(); ++I) {
    const String Line = Lines[I];
    const String Where = u"line " + IntToStr(I + 1) + u": ";
    if (Line.empty() || Line[0] == u';') continue;
    if (Line[0] == u'[') {
      String Path;
      const bool Root = Line == u"[]";
      if (!Root && (Line.size() < 2 || Line.back() != u']' ||
                    !NormalPath(Line.substr(1, Line.size() - 2), Path) || Path.empty())) {
        Error = Where + u"not a key";
        Tree = TRegTree();
        return false;
      }
      Key = &Tree.CreateKey(Path);
      continue;
    }
    String Name;
    TRegValue Value;
    if (!Key || !ParseValue(Line, Name, Value)) {
      Error = Where + (Key ? u"not a value" : u"a value outside any key");
      Tree = TRegTree();
      return false;
    }
    Key->Values[Name] = {Name, Value};
  }
  return true;
}
