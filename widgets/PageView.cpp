// The page view interface's meta-object lives with this file, where the
// build's moc step finds its header.
#include "widgets/PageView.h"
