#pragma once

struct ConsoleState {};
