#include "report/PreparedPages.h"

// The prepared-page types are plain values; their behaviour lives with the code that makes
// (layout), draws (outputs) and stores (report file) them.
