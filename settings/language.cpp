// The user-mode rendering module named by the build's language.
