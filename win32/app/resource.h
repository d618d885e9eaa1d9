#pragma once

#define IDI_MELTEMIX 1
