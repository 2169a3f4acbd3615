[Formulaire]
Titre=Fiche contact
Table=CONTACTS
Largeur=640
Hauteur=372
Police=MS Sans Serif,8

[Champ1]
Libelle=Nom
Colonne=NOM
Type=Texte
Longueur=30
Gauche=150
Haut=16

[Champ2]
Libelle=Prénom
Colonne=PRENOM
Type=Texte
Longueur=20
Gauche=150
Haut=52

[Champ3]
Libelle=Société
Colonne=SOCIETE
Type=Lien:CLIENTS
Longueur=8
Gauche=150
Haut=88

[Champ4]
Libelle=Fonction
Colonne=FONCTION
Type=Texte
Longueur=30
Gauche=150
Haut=124

[Champ5]
Libelle=Téléphone
Colonne=TELEPHONE
Type=Texte
Longueur=14
Gauche=150
Haut=160

[Champ6]
Libelle=Portable
Colonne=PORTABLE
Type=Texte
Longueur=14
Gauche=150
Haut=196

[Champ7]
Libelle=Civilité
Colonne=CIVILITE
Type=Boutons:M.|Mme
Gauche=150
Haut=232

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
