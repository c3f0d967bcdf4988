#pragma once

struct ProgramState {};
