#pragma once

struct ClockState {};
