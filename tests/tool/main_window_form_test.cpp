// The main window read from form data that was edited by hand.
#include <gtest/gtest.h>

#include <string>

#include "component/object_text.h"
#include "component/reader.h"
#include "core/stream.h"
#include "tool/main_form_data.h"
#include "tool_test_support.h"

namespace {

std::string ShippedFormText() {
  TMemoryStream In(std::string(reinterpret_cast<const char*>(MainWindowForm), MainWindowForm_size));
  TMemoryStream Out;
  ObjectBinaryToText(In, Out);
  return Out.Bytes();
}

// The form text less the object named Name (its header line through its own "end").
std::string Without(const std::string& Form, const std::string& Name) {
  const size_t Header = Form.find("object " + Name + ":");
  const size_t LineStart = Form.rfind('\n', Header) + 1;
  const std::string End = "\n" + Form.substr(LineStart, Header - LineStart) + "end\n";
  return Form.substr(0, LineStart) + Form.substr(Form.find(End, Header) + End.size());
}

// Reads the text into a new window: the error's text, or "" when it loaded.
String LoadError(const std::string& FormText) {
  Application().Initialize();
  TMemoryStream Text(FormText), Image;
  ObjectTextToBinary(Text, Image);
  Image.SetPosition(0);
  TComponentPtr<TfmMain> Window(new TfmMain(nullptr));
  try {
    ReadComponent(Image, Window.get());
  } catch (const EReadError& E) {
    EXPECT_EQ(Window->ComponentCount(), 0);
    EXPECT_EQ(Window->Memo1, nullptr);
    return E.Message();
  }
  return {};
}

TEST_F(ToolTest, FormDataThatLacksAComponentFailsNamingIt) {
  const std::string Shipped = ShippedFormText();
  ASSERT_EQ(LoadError(Shipped), u"");

  EXPECT_EQ(LoadError("object fmMain: TfmMain\n  OnCreate = FormCreate\nend\n"),
            u"The form data of TfmMain lacks the component Panel1");
  EXPECT_EQ(LoadError(Without(Shipped, "Memo1")),
            u"The form data of TfmMain lacks the component Memo1");
  EXPECT_EQ(LoadError(Without(Shipped, "mniHotel")),
            u"The form data of TfmMain lacks the component mniHotel");

  // A component of another class than the window expects is as good as missing.
  std::string Swapped = Shipped;
  const std::string GroupBox = "object GroupBox3: TGroupBox";
  Swapped.replace(Swapped.find(GroupBox), GroupBox.size(), "object GroupBox3: TPanel");
  EXPECT_EQ(LoadError(Swapped), u"The form data of TfmMain lacks the component GroupBox3");
}

}  // namespace
