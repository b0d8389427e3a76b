#pragma once

// The progress window and the read and write commands still include the texts by this name.
#include "texts/ui_texts.h"
