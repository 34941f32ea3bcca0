#pragma once
// Fonts of the model on Qt. The faces the forms name come from another platform; where one is
// not installed, the nearest installed family that can write the charset's script stands in,
// with the weight and width that keep the look (Impact is heavy and narrow).
#include <QFont>

#include "ui/font.h"

QFont ToQFont(const TFont& Font);
