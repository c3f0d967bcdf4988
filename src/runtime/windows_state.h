#pragma once

struct WindowTable {};
