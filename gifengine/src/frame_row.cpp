#include "gifengine/gif_engine.h"
#include "gifengine/gif_writer.h"
#include "gifengine/integer_text.h"
