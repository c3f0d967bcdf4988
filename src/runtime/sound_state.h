#pragma once

struct SoundState {};
