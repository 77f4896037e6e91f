// Scenes not yet written. Each area removes its lines here as it adds its scenes.
#include "shell/scenes.h"
#include "shell/reset.h"

