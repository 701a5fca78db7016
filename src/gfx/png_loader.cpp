// Placeholder until the PNG loader lands.
