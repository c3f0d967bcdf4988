#pragma once

struct EventState {};
