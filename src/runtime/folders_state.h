#pragma once

struct FolderState {};
