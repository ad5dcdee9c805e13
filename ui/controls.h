// Every control class of the layer.
#pragma once
#include "ui/buttons.h"
#include "ui/choice_controls.h"
#include "ui/containers.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/popup_menu.h"
#include "ui/shape.h"
#include "ui/text_controls.h"
#include "ui/timer.h"
