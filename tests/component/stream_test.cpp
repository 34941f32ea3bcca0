#include <gtest/gtest.h>

#include "component/object_text.h"
#include "component/test_classes.h"
#include "peak_memory.h"

namespace {

// A form holding a component with a value in every kind of property, and a panel with a
// button whose click is bound to the form's published handler.
TComponentPtr<TTestForm> MakeForm() {
  RegisterTestClasses();
  TComponentPtr<TTestForm> Form(new TTestForm);
  Form->SetName(u"Form1");
  Form->SetCaption(u"Q8M update V1.8");
  auto* C = Form->Comp1 = new TTestComp(Form.get());
  C->SetName(u"Comp1");
  C->SetNumber(-70000);
  C->SetCount(200);
  C->SetBig(int64_t{1} << 40);
  C->SetFlag(true);
  C->SetShade(shBlue);
  C->SetShades(1 << shRed | 1 << shBlue);
  C->SetLetter(u'\u0416');
  C->SetRatio(2.5);
  C->SetCaption(u"\u041f\u0440\u0438\u0432\u0435\u0442 'x'\r\n");
  C->Lines()->Add(u"a");
  C->Lines()->Add(u"");
  C->Font()->SetName(u"Arial");
  C->Font()->SetStyle(1 << shGreen);
  auto* I1 = static_cast<TTestItem*>(C->Items()->Add());
  I1->SetCaption(u"first");
  I1->SetValue(3);
  I1->Extra = 9;
  static_cast<TTestItem*>(C->Items()->Add())->SetCaption(u"second");
  C->Data = std::string("\0\1\2xyz", 6);
  C->SetDesignInfo(10 | 20 << 16);
  auto* Panel = Form->Panel1 = new TTestControl(Form.get());
  Panel->SetName(u"Panel1");
  Panel->SetParentComponent(Form.get());
  auto* Button = Form->Button1 = new TTestControl(Form.get());
  Button->SetName(u"Button1");
  Button->SetParentComponent(Panel);
  Button->SetCaption(u"Go");
  TTestForm* F = Form.get();
  Button->OnClick = TNotifyEvent([F](TObject* S) { F->ButtonClick(S); }, u"ButtonClick");
  C->SetBuddy(Button);  // a reference to a component later in the stream
  Button->SetBuddy(C);
  return Form;
}

bool Contains(const std::string& Bytes, const std::string& What) {
  return Bytes.find(What) != std::string::npos;
}

std::string TextToBinary(const std::string& Text) {
  TMemoryStream In(Text), Out;
  ObjectTextToBinary(In, Out);
  return Out.Bytes();
}

std::string BinaryToText(const std::string& Bytes) {
  TMemoryStream In(Bytes), Out;
  ObjectBinaryToText(In, Out);
  return Out.Bytes();
}

TComponentPtr<TComponent> Read(const std::string& Bytes) {
  TMemoryStream S(Bytes);
  return ReadComponentOwned(S);
}

TEST(ComponentStream, RoundTripRestoresEverything) {
  auto Form = MakeForm();
  const std::string Image = ImageOf(*Form);
  ASSERT_EQ(Image.substr(0, 4), "TPF0");

  auto Root = Read(Image);
  auto* Copy = dynamic_cast<TTestForm*>(Root.get());
  ASSERT_NE(Copy, nullptr);
  EXPECT_EQ(Copy->Owner(), nullptr);
  EXPECT_EQ(Copy->Name(), u"Form1");
  EXPECT_EQ(Copy->Caption(), u"Q8M update V1.8");
  ASSERT_EQ(Copy->ComponentCount(), 3);
  TTestComp* C = Copy->Comp1;
  ASSERT_NE(C, nullptr);
  EXPECT_EQ(C->Owner(), Copy);
  EXPECT_EQ(C->Number(), -70000);
  EXPECT_EQ(C->Count(), 200);
  EXPECT_EQ(C->Big(), int64_t{1} << 40);
  EXPECT_TRUE(C->Flag());
  EXPECT_EQ(C->Shade(), shBlue);
  EXPECT_EQ(C->Shades(), 1 << shRed | 1 << shBlue);
  EXPECT_EQ(C->Letter(), u'\u0416');
  EXPECT_EQ(C->Ratio(), 2.5);
  EXPECT_EQ(C->Caption(), u"\u041f\u0440\u0438\u0432\u0435\u0442 'x'\r\n");
  EXPECT_EQ(C->Lines()->GetText(), u"a\r\n\r\n");
  EXPECT_EQ(C->Font()->Name(), u"Arial");
  EXPECT_EQ(C->Font()->Style(), 1 << shGreen);
  ASSERT_EQ(C->Items()->Count(), 2);
  EXPECT_EQ(C->Items()->Item(0)->Caption(), u"first");
  EXPECT_EQ(C->Items()->Item(0)->Value(), 3);
  EXPECT_EQ(C->Items()->Item(0)->Extra, 9);
  EXPECT_EQ(C->Items()->Item(1)->Caption(), u"second");
  EXPECT_EQ(C->Data, std::string("\0\1\2xyz", 6));
  EXPECT_EQ(C->DesignInfo(), 10 | 20 << 16);

  ASSERT_NE(Copy->Panel1, nullptr);
  ASSERT_NE(Copy->Button1, nullptr);
  EXPECT_EQ(Copy->Panel1->GetParentComponent(), Copy);
  EXPECT_EQ(Copy->Button1->GetParentComponent(), Copy->Panel1);
  EXPECT_EQ(C->Buddy(), Copy->Button1);
  EXPECT_EQ(Copy->Button1->Buddy(), C);
  EXPECT_EQ(Copy->Button1->OnClick.MethodName(), u"ButtonClick");
  Copy->Button1->OnClick(Copy->Button1);
  EXPECT_EQ(Copy->LastSender, Copy->Button1);  // bound to the new form, not the old one
  for (int I = 0; I < Copy->ComponentCount(); ++I)
    EXPECT_EQ(Copy->Components(I)->ComponentState() & (csLoading | csReading), 0);

  EXPECT_EQ(ImageOf(*Copy), Image);  // nothing lost, nothing added
}

TEST(ComponentStream, DefaultsAndEmptyValuesAreNotWritten) {
  RegisterTestClasses();
  TTestForm Form;
  Form.SetName(u"Plain");
  (new TTestComp(&Form))->SetName(u"Comp1");
  const std::string Image = ImageOf(Form);
  for (const char* Name :
       {"Number", "Big", "Flag", "Shade", "Letter", "Ratio", "Caption", "Tag", "Hidden", "Lines",
        "Items", "Buddy", "OnClick", "Data", "Left", "Font.Style", "\x04Name"})
    EXPECT_FALSE(Contains(Image, Name)) << Name;
  // Count's default is 7 while a new component holds 1; Font.Height declares no default.
  EXPECT_TRUE(Contains(Image,
                       "\x05"
                       "Count"));
  EXPECT_TRUE(Contains(Image,
                       "\x09"
                       "Font.Name"));
  EXPECT_TRUE(Contains(Image,
                       "\x0B"
                       "Font.Height"));

  auto Root = Read(Image);
  auto* C = static_cast<TTestForm*>(Root.get())->Comp1;
  ASSERT_NE(C, nullptr);
  EXPECT_EQ(C->Count(), 1);
  EXPECT_EQ(C->DataPosition, -1);  // no binary data: its reader never ran
}

TEST(ComponentStream, SettersRunInStreamOrderWhileLoadingThenFinishLoadingOnce) {
  RegisterTestClasses();
  const std::string Image = TextToBinary(
      "object F: TTestForm\n"
      "  Caption = 'x'\n"
      "  object Comp1: TTestComp\n"
      "    Count = 3\n"
      "    Buddy = Comp2\n"
      "    Number = 5\n"
      "  end\n"
      "  object Comp2: TTestComp\n"
      "    Flag = True\n"
      "  end\n"
      "end\n");
  EventLog().clear();
  auto Root = Read(Image);
  const std::vector<std::string> Expected = {
      "F.Caption:loading",   "Comp1.Count:loading", "Comp1.Number:loading", "Comp2.Flag:loading",
      "Comp1.Buddy:loading", "F.Finish:loading",    "Comp1.Finish:loading", "Comp2.Finish:loading"};
  EXPECT_EQ(EventLog(), Expected);
  auto* Form = static_cast<TTestForm*>(Root.get());
  EXPECT_EQ(Form->FinishCount, 1);
  EXPECT_EQ(Form->Comp1->FinishCount, 1);
  EXPECT_EQ(Form->Comp1->Buddy(), Form->FindComponent(u"Comp2"));
  EXPECT_FALSE(Form->Comp1->HasState(csLoading));
}

TEST(ComponentStream, BinaryPropertyGetsExactlyItsPayloadAtPositionZero) {
  auto Form = MakeForm();
  Form->Comp1->Data = std::string(300, 'z');  // followed by the rest of the image
  TMemoryStream S;
  S.WriteBytes("junk");  // the image need not start at position 0
  WriteComponent(S, *Form);
  S.SetPosition(4);
  auto Root = ReadComponentOwned(S);
  const TTestComp* C = static_cast<TTestForm*>(Root.get())->Comp1;
  EXPECT_EQ(C->DataPosition, 0);
  EXPECT_EQ(C->DataSize, 300);
  EXPECT_EQ(C->Data, std::string(300, 'z'));
  EXPECT_EQ(S.Position(), S.Size());  // the image is self-delimiting
}

TEST(ComponentStream, ReadingIntoAnInstanceKeepsItsNameAndFillsItsFields) {
  const std::string Image = ImageOf(*MakeForm());
  TTestForm Form;
  Form.SetName(u"Mine");
  TMemoryStream S(Image);
  EXPECT_EQ(ReadComponent(S, &Form), &Form);
  EXPECT_EQ(Form.Name(), u"Mine");
  EXPECT_EQ(Form.Caption(), u"Q8M update V1.8");
  ASSERT_NE(Form.Comp1, nullptr);
  EXPECT_EQ(Form.Comp1->Owner(), &Form);
  EXPECT_EQ(Form.FinishCount, 1);
}

TEST(ComponentStream, BadStreamsRaiseAndLeaveNothingBehind) {
  const std::string Image = ImageOf(*MakeForm());
  // Every truncation is a read error, into a new instance or into an existing one.
  for (size_t N = 0; N < Image.size(); ++N) {
    EXPECT_THROW(Read(Image.substr(0, N)), EReadError) << N;
    TTestForm Form;
    TMemoryStream S(Image.substr(0, N));
    EXPECT_THROW(ReadComponent(S, &Form), EReadError) << N;
    EXPECT_EQ(Form.ComponentCount(), 0) << N;
    EXPECT_EQ(Form.Comp1, nullptr) << N;
    EXPECT_FALSE(Form.HasState(csLoading)) << N;
  }
  // Garbled bytes fail cleanly or read something; never more (the sanitizers watch).
  for (size_t N = 0; N < Image.size(); ++N)
    for (const unsigned char Value : {0x00, 0x01, 0x7F, 0xF3, 0xFF}) {
      std::string Bad = Image;
      Bad[N] = static_cast<char>(Value);
      try {
        Read(Bad);
      } catch (const Exception&) {
      }
    }

  try {
    Read("TPF1" + Image.substr(4));
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), u"Invalid stream format");
  }
  auto Replace = [&](const std::string& From, const std::string& To) {
    std::string S = Image;
    S.replace(S.find(From), From.size(), To);
    return S;
  };
  EXPECT_THROW(Read(Replace("\x06Panel1",
                            "\x05"
                            "Comp1")),
               EReadError);  // a name taken twice
  EXPECT_THROW(Read(Replace("Panel1", "Pane 1")), EReadError);
  EXPECT_THROW(Read(Replace("TTestControl", "TTestXontrol")), EClassNotFound);
  EXPECT_THROW(Read(Replace("TTestForm", "TTestXorm")), EClassNotFound);
  try {
    Read(Replace("Number", "Numbex"));
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), u"Property Numbex does not exist");
  }
  // A binary count beyond the bytes left.
  EXPECT_THROW(Read(Replace(std::string("\x04"
                                        "Data\x0A\x06\0\0\0",
                                        10),
                            std::string("\x04"
                                        "Data\x0A\xFF\xFF\xFF\x7F",
                                        10))),
               EReadError);

  const char* WrongKinds[] = {"Number = 'abc'",
                              "Shade = shPurple",
                              "Count = 300",
                              "Flag = 7",
                              "Shades = [shRed, shNone]",
                              "Lines = 1",
                              "Caption = 12",
                              "Font.Nothing = 1",
                              "Buddy = 3",
                              "Letter = 'ab'",
                              "Items = (1)",
                              "Font = nil"};
  for (const char* Line : WrongKinds) {
    const std::string Text =
        std::string("object F: TTestForm\n object C: TTestComp\n") + Line + "\n end\nend\n";
    EXPECT_THROW(Read(TextToBinary(Text)), EReadError) << Line;
  }
}

TEST(ComponentStream, UnresolvableReferencesAreSkippedAndHandlersMatchedByName) {
  RegisterTestClasses();
  auto Root =
      Read(TextToBinary("object F: TTestForm\n"
                        "  object C: TTestComp\n"
                        "    Buddy = Nowhere\n"
                        "    OnClick = nil\n"
                        "    Number = 1\n"
                        "  end\n"
                        "  object D: TTestComp\n"
                        "    Buddy = F.C\n"
                        "    OnClick = buttonclick\n"
                        "  end\n"
                        "end\n"));
  auto* C = static_cast<TTestComp*>(Root->FindComponent(u"C"));
  auto* D = static_cast<TTestComp*>(Root->FindComponent(u"D"));
  EXPECT_EQ(C->Buddy(), nullptr);
  EXPECT_FALSE(C->OnClick);
  EXPECT_EQ(C->Number(), 1);
  EXPECT_EQ(D->Buddy(), C);
  EXPECT_EQ(D->OnClick.MethodName(), u"ButtonClick");
}

TEST(ComponentStream, AHandlerTheFormCannotGiveFailsTheReadNamingIt) {
  RegisterTestClasses();
  const std::pair<const char*, const char*> Cases[] = {
      {"NoSuchHandler", "C.OnClick names the handler NoSuchHandler, which TTestForm does not have"},
      {"Refresh",
       "C.OnClick cannot take the handler Refresh of TTestForm: their parameters differ"}};
  for (const auto& [Handler, Message] : Cases) {
    const std::string Text =
        std::string("object F: TTestForm\n  object C: TTestComp\n    OnClick = ") + Handler +
        "\n  end\nend\n";
    try {
      Read(TextToBinary(Text));
      ADD_FAILURE() << Handler << " was accepted";
    } catch (const EReadError& E) {
      EXPECT_EQ(ToUtf8(E.Message()), Message);
    }
  }
}

TEST(ComponentStream, InheritedFormsStoreOnlyTheirDifferences) {
  auto Ancestor = MakeForm();
  auto Derived = MakeForm();
  Derived->SetCaption(u"Derived");
  Derived->Comp1->SetNumber(42);
  Derived->Comp1->Font()->SetHeight(-20);
  (new TTestComp(Derived.get()))->SetName(u"Added");
  const std::string Image = ImageOf(*Derived, Ancestor.get());
  EXPECT_EQ(static_cast<unsigned char>(Image[4]), 0xF0 | ffInherited);
  EXPECT_EQ(BinaryToText(Image),
            "inherited Form1: TTestForm\n"
            "  Caption = 'Derived'\n"
            "  inherited Comp1: TTestComp\n"
            "    Number = 42\n"
            "    Font.Height = -20\n"
            "  end\n"
            "  object Added: TTestComp\n"
            "    Count = 1\n"
            "    Font.Name = 'Tahoma'\n"
            "    Font.Height = -11\n"
            "  end\n"
            "  inherited Panel1: TTestControl\n"
            "    inherited Button1: TTestControl\n"
            "    end\n"
            "  end\n"
            "end\n");

  // The ancestor's image first, then the derived one on top of it.
  auto Root = Read(ImageOf(*Ancestor));
  TMemoryStream S(Image);
  ReadComponent(S, Root.get());
  auto* Form = static_cast<TTestForm*>(Root.get());
  EXPECT_EQ(Form->Caption(), u"Derived");
  EXPECT_EQ(Form->ComponentCount(), 4);
  EXPECT_EQ(Form->Comp1->Number(), 42);
  EXPECT_EQ(Form->Comp1->Font()->Height(), -20);
  EXPECT_EQ(Form->Comp1->Lines()->Count(), 2);
  EXPECT_EQ(ImageOf(*Form, Ancestor.get()), Image);

  // An inherited component the instance lacks is an error.
  TTestForm Empty;
  TMemoryStream S2(Image);
  EXPECT_THROW(ReadComponent(S2, &Empty), EReadError);
}

TEST(ComponentText, BinaryTextBinaryGivesTheSameBytes) {
  const std::string Image = ImageOf(*MakeForm());
  const std::string Text = BinaryToText(Image);
  EXPECT_EQ(TextToBinary(Text), Image);
  for (const char* Line :
       {"object Form1: TTestForm\n  Caption = 'Q8M update V1.8'\n  object Comp1: TTestComp\n",
        "    Number = -70000\n", "    Big = 1099511627776\n", "    Flag = True\n",
        "    Shade = shBlue\n", "    Shades = [shRed, shBlue]\n", "    Letter = #1046\n",
        "    Ratio = 2.5\n", "    Caption = #1055#1088#1080#1074#1077#1090' ''x'''#13#10\n",
        "    Lines.Strings = (\n      'a'\n      '')\n", "    Font.Name = 'Arial'\n",
        "    Items = <\n      item\n        Caption = 'first'\n        Value = 3\n"
        "        Extra = 9\n      end\n      item\n        Caption = 'second'\n      end>\n",
        "    Buddy = Button1\n", "    Left = 10\n    Top = 20\n",
        "    Data = {\n      00010278797A}\n",
        "  object Panel1: TTestControl\n    Count = 1\n    Font.Name = 'Tahoma'\n"
        "    Font.Height = -11\n    object Button1: TTestControl\n",
        "      OnClick = ButtonClick\n", "    end\n  end\nend\n"})
    EXPECT_TRUE(Contains(Text, Line)) << Line << "\n--- in ---\n" << Text;

  // Long payloads wrap; empty lists, sets and collections keep their brackets.
  const std::string More = TextToBinary(
      "inherited F: TTestForm [2]\n"
      "  L = ()\n  S = []\n  C = <>\n  B = {" +
      std::string(70, '1') +
      "}\n"
      "  N = nil\n  D = 1.0\n  E = -1e+300\n  X = 2147483648\n"
      "  W = <\n    item [4]\n    end>\n"
      "end\n");
  EXPECT_EQ(TextToBinary(BinaryToText(More)), More);
  EXPECT_TRUE(Contains(BinaryToText(More), "1111\n    111111"));
}

TEST(ComponentText, ReadsTheHandWrittenForms) {
  RegisterTestClasses();
  auto Root = Read(TextToBinary(
      "\xEF\xBB\xBF"
      "OBJECT F: TTestForm\r\n"
      "  Caption = 'it''s one ' +\r\n"
      "    'two'#9'\xD0\x96' + #1046\r\n"
      "  object C: TTestComp Number = -5 Ratio = 1e3 Letter = 'z' Shades = [shBlue,shRed]\n"
      "  Data = { 0a 0B\n 0c }\n"
      "  END\n"
      "end"));
  auto* Form = static_cast<TTestForm*>(Root.get());
  EXPECT_EQ(Form->Caption(), u"it's one two\t\u0416\u0416");
  EXPECT_EQ(Form->Comp1, nullptr);  // no field named C
  auto* C = static_cast<TTestComp*>(Form->FindComponent(u"C"));
  EXPECT_EQ(C->Number(), -5);
  EXPECT_EQ(C->Ratio(), 1000.0);
  EXPECT_EQ(C->Letter(), u'z');
  EXPECT_EQ(C->Shades(), 1 << shRed | 1 << shBlue);
  EXPECT_EQ(C->Data, "\x0A\x0B\x0C");
}

TEST(ComponentText, ErrorsNameTheLine) {
  auto MessageOf = [](const std::string& Text) -> std::string {
    try {
      TextToBinary(Text);
    } catch (const EParserError& E) {
      return ToUtf8(E.Message());
    }
    return "no error";
  };
  EXPECT_EQ(MessageOf("object A: TB\n  X 1\nend"), "Line 2: '=' expected");
  EXPECT_EQ(MessageOf("object A: TB\n\n  X = 'open\nend"), "Line 3: Unterminated string");
  EXPECT_EQ(MessageOf("object A: TB\n  X = {0G}\nend"), "Line 2: Invalid binary value");
  EXPECT_EQ(MessageOf("object A: TB\n  X = 99999999999999999999\nend"),
            "Line 2: Number out of range");
  EXPECT_EQ(MessageOf("object A: TB\n  X = #70000\nend"), "Line 2: Invalid character code");
  EXPECT_EQ(MessageOf("object A: TB\n  X = 'a' + 1\nend"), "Line 2: String expected");
  EXPECT_EQ(MessageOf("object A: TB\nend\nend"), "Line 3: End of text expected");
  EXPECT_EQ(MessageOf("thing A: TB\nend"), "Line 1: 'object' expected");
  EXPECT_EQ(MessageOf("object A: TB\n  X = 1"), "Line 2: 'end' expected");
  // A bad text leaves the output as it was, whether it was to be appended or written inside.
  for (const int64_t At : {3, 1}) {
    TMemoryStream In(std::string("object A: TB\n  X = 'open\nend")), Out(std::string("abc"));
    Out.SetPosition(At);
    EXPECT_THROW(ObjectTextToBinary(In, Out), EParserError);
    EXPECT_EQ(Out.Bytes(), "abc");
    EXPECT_EQ(Out.Position(), At);
  }

  // Deep nesting is refused in all three converters, never a stack overflow.
  RegisterTestClasses();
  std::string Deep, Image = "TPF0";
  for (int I = 0; I < 200; ++I) Deep += "object A: TTestForm\n";
  for (int I = 0; I < 200; ++I) Deep += "end\n";
  EXPECT_THROW(TextToBinary(Deep), EParserError);
  for (int I = 0; I < 200; ++I) Image += std::string("\x09TTestForm\x00\x00", 12);
  Image += std::string(400, '\0');
  EXPECT_THROW(BinaryToText(Image), EReadError);
  EXPECT_THROW(Read(Image), EReadError);
  EXPECT_THROW(TextToBinary("object A: TB\n  X = " + std::string(200, '(') + "\nend"),
               EParserError);
}

TEST(ComponentText, ALongLineTakesASmallMultipleOfItsSize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "freed memory is held back under the address sanitizer";
#endif
  // The line was gathered byte by byte, decoded, appended, encoded and the image copied: nine
  // times its size at once. Its text and its image are the two it needs.
  constexpr size_t Size = 32 << 20;
  std::string Text = "object F: TTestForm\n  Caption = '";
  Text.reserve(Size + 64);
  Text.append(Size, 'x');
  Text += "'\nend\n";
  TMemoryStream In(std::move(Text));
  const long Before = PeakMegabytes();
  TMemoryStream Image;
  ObjectTextToBinary(In, Image);
  EXPECT_LT(PeakMegabytes() - Before, 6 * static_cast<long>(Size >> 20));
  RegisterTestClasses();
  Image.SetPosition(0);
  auto Root = ReadComponentOwned(Image);
  EXPECT_EQ(static_cast<TTestForm*>(Root.get())->Caption().size(), Size);
}

}  // namespace
