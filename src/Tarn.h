// Tarn engine: the whole public API in one include.
#pragma once
#include "TarnCollision.h"
#include "TarnDefs.h"
#include "TarnGraphics.h"
#include "TarnInput.h"
#include "TarnMath.h"
#include "TarnSystem.h"
