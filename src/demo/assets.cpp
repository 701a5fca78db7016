// Placeholder until asset loading lands.
