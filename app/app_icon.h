#pragma once
#include <QIcon>

// The program icon in every size from 16 to 256 pixels, from the compiled-in resources.
QIcon trailbook_icon();
