// The script engine library; its parts live in the subfolders.
