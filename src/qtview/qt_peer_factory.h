#pragma once
// The peer class for a control's class.
#include <memory>

#include "qtview/qt_peer.h"

std::unique_ptr<TQtPeer> MakePeer(TQtView& View, TControl& Control);
