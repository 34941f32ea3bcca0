#pragma once
// Fonts of the model on Qt. A face a form names need not be installed on this machine; where it
// is not, the nearest installed family that can write the charset's script stands in, with the
// weight and width that keep the look (Impact is heavy and narrow).
#include <QFont>

#include "ui/font.h"

QFont ToQFont(const TFont& Font);
