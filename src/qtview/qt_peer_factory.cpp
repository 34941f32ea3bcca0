#include "qtview/qt_peer_factory.h"

#include "qtview/qt_button_peers.h"
#include "qtview/qt_combo_box_peer.h"
#include "qtview/qt_container_peers.h"
#include "qtview/qt_form_peer.h"
#include "qtview/qt_image_peer.h"
#include "qtview/qt_memo_peer.h"
#include "qtview/qt_spin_edit_peer.h"
#include "qtview/qt_status_bar_peer.h"
#include "qtview/qt_text_peers.h"
#include "ui/panels.h"

std::unique_ptr<TQtPeer> MakePeer(TQtView& View, TControl& Control) {
  if (auto* F = dynamic_cast<TCustomForm*>(&Control))
    return std::make_unique<TQtFormPeer>(View, *F);
  if (auto* B = dynamic_cast<TButton*>(&Control)) return std::make_unique<TQtButtonPeer>(View, *B);
  if (dynamic_cast<TSpeedButton*>(&Control))
    return std::make_unique<TQtSpeedButtonPeer>(View, Control);
  if (auto* S = dynamic_cast<TSpinEdit*>(&Control))
    return std::make_unique<TQtSpinEditPeer>(View, *S);
  if (auto* M = dynamic_cast<TMemo*>(&Control)) return std::make_unique<TQtMemoPeer>(View, *M);
  if (auto* C = dynamic_cast<TComboBox*>(&Control))
    return std::make_unique<TQtComboBoxPeer>(View, *C);
  if (auto* B = dynamic_cast<TStatusBar*>(&Control))
    return std::make_unique<TQtStatusBarPeer>(View, *B);
  if (auto* L = dynamic_cast<TLabel*>(&Control)) return std::make_unique<TQtLabelPeer>(View, *L);
  if (auto* E = dynamic_cast<TEdit*>(&Control)) return std::make_unique<TQtEditPeer>(View, *E);
  if (auto* I = dynamic_cast<TImage*>(&Control)) return std::make_unique<TQtImagePeer>(View, *I);
  if (dynamic_cast<TGroupBox*>(&Control)) return std::make_unique<TQtGroupBoxPeer>(View, Control);
  if (dynamic_cast<TPanel*>(&Control)) return std::make_unique<TQtPanelPeer>(View, Control);
  return std::make_unique<TQtPlainPeer>(View, Control);
}
