#include "tool/com_port.h"

#include "core/exceptions.h"
#include "tool/exchange.h"
#include "tool/main_window.h"
#include "tool/unit_state.h"
#include "ui/dialogs.h"

const std::array<uint32_t, 4> BaudTable = {19200, 57600, 230400, 256000};
const std::array<uint8_t, 4> EvtCharTable = {0xF5, 0x0D, 0xC0, 0xFE};
TWriteOverlapped WriteOverlapped;

TPortSetUp SetUpPort(TSerialPort& Port, const String& Name, uint32_t Baud, uint8_t EvtChar) {
  if (!Port.Open(u"\\\\.\\" + Name)) return TPortSetUp::psCannotOpen;
  if (!Port.SetState({Baud, static_cast<char>(EvtChar)})) {
    Port.Close();
    return TPortSetUp::psCannotSetSpeed;
  }
  return TPortSetUp::psReady;
}

TComHandle& TComHandle::operator=(TComHandle&& Other) noexcept {
  if (this != &Other) {
    Close();
    FPort = std::move(Other.FPort);
    FName = std::move(Other.FName);
    FComMode = Other.FComMode;
  }
  return *this;
}

TSerialPort& TComHandle::Port() const {
  if (!FPort) throw EInvalidOperation(u"The port is not open");
  return *FPort;
}

void TComHandle::CheckLine() const {
  if (FPort && FPort->Gone()) throw ELineGone(FPort->LastError());
}

void TComHandle::Close() {
  if (!FPort) return;
  FPort->Close();
  FPort.reset();
  WriteOverlapped.EventOpen = false;
}

namespace {

const String Quote = u"\"";

TComHandle Failed(const String& Text) {
  MessageDlg(Text, mtError, {mbOK}, 0);
  return {};
}

}  // namespace

TComHandle TfmMain::OpenComInMode() {
  const String Name = cbPort->Text();
  if (Name.empty()) return Failed(u"Comport is not selected!");
  auto Port = std::make_unique<TSerialPort>();
  switch (SetUpPort(*Port, Name, BaudTable[oComMode & 3], EvtCharTable[(oComMode >> 4) & 3])) {
    case TPortSetUp::psCannotOpen:
      return Failed(String(u"Not possible to open a port") + u" " + Quote + Name + Quote + u"!");
    case TPortSetUp::psCannotSetSpeed:
      return Failed(String(u"Not possible to configure the") + u" port speed for" + u" " + Quote +
                    Name + Quote + u"!");
    case TPortSetUp::psReady:
      break;
  }
  WriteOverlapped = TWriteOverlapped{};
  WriteOverlapped.EventOpen = true;
  return TComHandle(std::move(Port), Name, oComMode);
}
