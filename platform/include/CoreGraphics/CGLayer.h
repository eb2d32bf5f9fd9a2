// Offscreen layers. The library's image drawing passes no layer, so this
// platform declares the type only.
#pragma once

typedef struct CGLayer* CGLayerRef;
