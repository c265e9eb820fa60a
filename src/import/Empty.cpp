// Keeps the library non-empty until its first operation lands.
